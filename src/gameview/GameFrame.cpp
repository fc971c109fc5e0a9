#include "gameview/GameFrame.h"

#include "framework/FrameWnd.h"
#include "framework/WinApp.h"
#include "gameview/GamePageState.h"
#include "gameview/GamePageView.h"
#include "gameview/GameFrameWindow.h"

GamePageView* g_gamePageView = nullptr;

namespace {
CSingleDocSet g_gameSet;
}

bool CreateGameFrame() {
    if (g_gameSet.frame) return false;
    g_gameSet.document = std::make_unique<GamePageState>();
    auto frame = std::make_unique<GameFrameWindow>();
    GameFrameWindow* mainFrame = frame.get();
    g_gameSet.frame = std::move(frame);
    AfxGetApp()->m_pMainWnd = mainFrame;
    if (!g_gameSet.Open(L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        [] { return std::unique_ptr<CView>(std::make_unique<GamePageView>()); })) {
        AfxGetApp()->m_pMainWnd = nullptr;
        g_gameSet.Close();
        return false;
    }
    // Hidden until its page has loaded; then the view places and shows it.
    mainFrame->SetWindowText(L"QuarnelHalvira");
    mainFrame->ShowWindow(SW_HIDE);
    return true;
}

void DestroyGameFrame() {
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == g_gameSet.frame.get()) app->m_pMainWnd = nullptr;
    g_gameSet.Close();
    g_gamePageView = nullptr;
}
