#include "framework/WinApp.h"

#include "framework/Wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() noexcept { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* CWinApp::Current() noexcept { return g_pApp; }

HINSTANCE AfxGetInstanceHandle() noexcept {
    CWinApp* app = CWinApp::Current();
    return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandleW(nullptr);
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    }
    // The main window sees keys of windows outside its tree too (its modeless helpers).
    if (m_pMainWnd && m_pMainWnd->m_hWnd && msg->hwnd &&
        !::IsChild(m_pMainWnd->m_hWnd, msg->hwnd) && msg->hwnd != m_pMainWnd->m_hWnd) {
        return m_pMainWnd->PreTranslateMessage(msg);
    }
    return FALSE;
}

BOOL CWinApp::PreTranslateChain(MSG* msg) {
    if (CWinApp* app = Current()) return app->PreTranslateMessage(msg);
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    }
    return FALSE;
}

int CWinApp::Run() {
    MSG msg{};
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!PreTranslateChain(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    ExitInstance();
    return static_cast<int>(msg.wParam);
}

int CWinApp::Main(HINSTANCE instance, int showCmd) {
    m_hInstance = instance;
    m_nCmdShow = showCmd;
    if (!InitInstance()) return ExitInstance();
    return Run();
}
