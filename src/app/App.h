// The application object: one per process; classifies the start and runs its mode.
#pragma once
#include "app/rules/StartMode.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"

#include <optional>
#include <string>
#include <vector>

class CBrindlow3App : public CWinApp {
public:
    CBrindlow3App() noexcept;
    ~CBrindlow3App() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    ULONG_PTR m_gdiplusToken = 0;
    wchar_t m_szUpdAddr[512] = {};
    UniqueHandle m_hReportStarted;  // set by the report thread once it has copied its URL
    UniqueHandle m_hReportDone;     // set by the report thread when its request has finished
    // Every report thread started by this application; it ends none of them, it waits for them.
    std::vector<UniqueHandle> m_reportThreads;
    // "lstTime" as stored before this start: read once, so every computation of one start sees it.
    std::optional<std::wstring> m_strStartDate;
    std::wstring m_strPageTitle;
    std::wstring m_strPageUrl;

    // Waits (bounded) for the report threads still running; each holds its own references to
    // the events it signals, so one that outlives the wait touches nothing of ours.
    void WaitForReportThreads(DWORD timeoutMs);

private:
    bool RunUpdateStage(StartMode mode);
    bool RunMode(StartMode mode);
    bool InitializeOle();
    bool RunGameProcess(StartMode mode);
    void RunMainWindow();

    bool m_bOleInitialized = false;
};

CBrindlow3App& TheApp() noexcept;

// Set from the command line of a game process (modes 6 and 7).
extern HWND g_hHostWnd;
extern int g_nHostTabNo;

StartMode GetStartMode();
// Starts a further copy of the executable (this one when path is empty) at idle priority.
void LaunchSelf(const wchar_t* path);
