#include "gameview/GamePageView.h"

#include "base/Messages.h"
#include "framework/WinApp.h"
#include "gameview/GameFrame.h"
#include "gameview/GameProcess.h"
#include "gameview/GamePageState.h"
#include "gameview/rules/GamePage.h"

GamePageView::~GamePageView() {
    if (g_gamePageView == this) g_gamePageView = nullptr;
}

BOOL GamePageView::PreCreateWindow(CREATESTRUCTW& cs) { return CHtmlView::PreCreateWindow(cs); }

int GamePageView::OnCreate(CREATESTRUCTW* cs) {
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    return CHtmlView::OnCreate(cs) == -1 ? -1 : 0;
}

void GamePageView::OnInitialUpdate() {
    CHtmlView::OnInitialUpdate();
    SetSilent(true);  // no script-error boxes over the game
    g_gamePageView = this;
    Navigate2(TheGameProcess().m_strGameUrl);
}

unsigned GamePageView::OnGetHostInfo(unsigned flags) {
    return GameHostFlags(flags, TheGameProcess().IsShowingDefaultPage());
}

void GamePageView::OnBeforeNavigate2(const std::wstring&, bool&) {}

void GamePageView::OnNavigateComplete2(const std::wstring& url) {
    if (auto* document = static_cast<GamePageState*>(GetDocument())) document->m_strPageUrl = url;
    RECT client{};
    if (HWND host = TheGameProcess().m_hHostWnd) ::GetClientRect(host, &client);
    const Rect area = GameAreaOf(Rect{client.left, client.top, client.right, client.bottom});
    CWnd* frame = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    HWND frameWnd = frame && frame->m_hWnd ? frame->m_hWnd : ::GetParent(m_hWnd);
    // Placed and shown after every completed navigation, so a page that moves on stays in place.
    ::MoveWindow(frameWnd, area.left, area.top, area.Width(), area.Height(), TRUE);
    ::ShowWindow(frameWnd, SW_SHOW);
}

void GamePageView::OnTitleChange(const std::wstring& title) {
    if (auto* document = static_cast<GamePageState*>(GetDocument())) document->m_strPageTitle = title;
}

void GamePageView::SetZoom(const zoom::Setting& setting) {
    m_zoom = setting;
    ApplyZoom();
}

void GamePageView::StepZoom(int step) {
    m_zoom = zoom::Stepped(m_shownPercent, step);
    ApplyZoom();
}

void GamePageView::OnDocumentComplete(const std::wstring& url) {
    CHtmlView::OnDocumentComplete(url);
    ApplyZoom();  // a new page, or the same one refreshed, comes at the tab's zoom
}

LRESULT GamePageView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CHtmlView::WindowProc(msg, wParam, lParam);
    if (msg == WM_SIZE && m_zoom.fit) ApplyZoom();
    return result;
}

void GamePageView::ApplyZoom() {
    Browser* browser = GetBrowser();
    WPARAM shown = kZoomUnavailable;
    if (browser && browser->CanZoom()) {
        int percent = m_zoom.percent;
        if (m_zoom.fit) {
            const RECT view = GetClientRect();
            const std::optional<SIZE> content = browser->ContentSize();
            percent = content ? zoom::FitLevel(content->cx, content->cy, view.right, view.bottom) : zoom::kNormal;
        }
        if (browser->SetZoom(percent)) m_shownPercent = percent;
        shown = m_zoom.fit ? kZoomFit : static_cast<WPARAM>(m_shownPercent);
    }
    if (shown == m_toldHost) return;
    m_toldHost = shown;
    if (HWND host = TheGameProcess().m_hHostWnd) {
        CWnd* frame = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
        ::PostMessageW(host, WM_TAB_ZOOM, shown, reinterpret_cast<LPARAM>(frame ? frame->m_hWnd : nullptr));
    }
}
