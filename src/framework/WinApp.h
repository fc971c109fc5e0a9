// CWinApp: the process's application object: start-up, the message loop, exit.
#pragma once
#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp() noexcept;
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // True to enter the message loop; false to end the process (ExitInstance still runs).
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    virtual int Run();
    // Offered every message of every loop before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The chain: the message's window and each of its parents, then the main window.
    static BOOL PreTranslateChain(MSG* msg);
    static CWinApp* Current() noexcept;

    // Process entry: InitInstance, then Run or ExitInstance.
    int Main(HINSTANCE instance, int showCmd);

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
};

inline CWinApp* AfxGetApp() noexcept { return CWinApp::Current(); }
HINSTANCE AfxGetInstanceHandle() noexcept;
