// The application object: one per process; classifies the start and runs its mode.
#pragma once
#include "app/rules/StartMode.h"
#include "base/Handles.h"
#include "framework/WinApp.h"

#include <optional>
#include <string>
#include <vector>

class LauncherApp : public CWinApp {
public:
    LauncherApp() noexcept;
    ~LauncherApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    wchar_t m_szUpdAddr[512] = {};
    UniqueHandle m_hReportStarted;  // set by the report thread once it has copied its URL
    UniqueHandle m_hReportDone;     // set by the report thread when its request has finished
    // Every report thread started by this application; it ends none of them, it waits for them.
    std::vector<UniqueHandle> m_reportThreads;
    // "lstTime" as stored before this start: read once, so every computation of one start sees it.
    std::optional<std::wstring> m_strStartDate;

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

LauncherApp& TheApp() noexcept;

// Classifies this start; for a game process it also records its host and tab.
StartMode GetStartMode();
