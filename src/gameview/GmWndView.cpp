#include "gameview/GmWndView.h"

#include "framework/WinApp.h"
#include "gameview/GameFrame.h"
#include "gameview/GameProcess.h"
#include "gameview/GmWndDoc.h"
#include "gameview/rules/GamePage.h"

CGmWndView::~CGmWndView() {
    if (g_pGameView == this) g_pGameView = nullptr;
}

BOOL CGmWndView::PreCreateWindow(CREATESTRUCTW& cs) { return CHtmlView::PreCreateWindow(cs); }

int CGmWndView::OnCreate(CREATESTRUCTW* cs) {
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    return CHtmlView::OnCreate(cs) == -1 ? -1 : 0;
}

void CGmWndView::OnInitialUpdate() {
    CHtmlView::OnInitialUpdate();
    SetSilent(true);  // no script-error boxes over the game
    g_pGameView = this;
    Navigate2(TheGameProcess().m_strGameUrl);
}

unsigned CGmWndView::OnGetHostInfo(unsigned flags) {
    return GameHostFlags(flags, TheGameProcess().IsShowingDefaultPage());
}

void CGmWndView::OnBeforeNavigate2(const std::wstring&, bool&) {}

void CGmWndView::OnNavigateComplete2(const std::wstring& url) {
    if (auto* document = static_cast<CGmWndDoc*>(GetDocument())) document->m_strPageUrl = url;
    RECT client{};
    if (HWND host = TheGameProcess().m_hHostWnd) ::GetClientRect(host, &client);
    const Rect area = GameAreaOf(Rect{client.left, client.top, client.right, client.bottom});
    CWnd* frame = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    HWND frameWnd = frame && frame->m_hWnd ? frame->m_hWnd : ::GetParent(m_hWnd);
    // Placed and shown after every completed navigation, so a page that moves on stays in place.
    ::MoveWindow(frameWnd, area.left, area.top, area.Width(), area.Height(), TRUE);
    ::ShowWindow(frameWnd, SW_SHOW);
}

void CGmWndView::OnTitleChange(const std::wstring& title) {
    if (auto* document = static_cast<CGmWndDoc*>(GetDocument())) document->m_strPageTitle = title;
}
