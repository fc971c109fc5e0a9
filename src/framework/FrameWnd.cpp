#include "framework/FrameWnd.h"

#include "framework/WinApp.h"

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

bool CFrameWnd::LoadFrame(const wchar_t* title, DWORD style, CCreateContext& context) {
    CREATESTRUCTW cs{};
    cs.lpszClass = CView::FrameOrViewClassName();
    cs.lpszName = title;
    cs.style = style;
    cs.cx = 640;  // a plain default; frames that care set their own size
    cs.cy = 480;
    if (!PreCreateWindow(cs) || !cs.lpszClass) return false;
    m_pContext = &context;
    m_pDocument = context.document;
    const RECT rc{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    const bool created = CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, rc, cs.hwndParent,
                                  reinterpret_cast<UINT_PTR>(cs.hMenu));
    m_pContext = nullptr;
    return created && m_pView && m_pView->m_hWnd;
}

int CFrameWnd::OnCreate(CREATESTRUCTW*) {
    if (!m_pContext || !m_pContext->newView) return -1;
    m_pView = m_pContext->newView();
    if (!m_pView || !m_pView->Create(m_hWnd, kFirstViewId, m_pContext->document)) {
        m_pView.reset();
        return -1;
    }
    return 0;
}

void CFrameWnd::InitialUpdateFrame() {
    if (m_pView && m_pView->m_hWnd) m_pView->OnInitialUpdate();
}

void CFrameWnd::PlaceView() const {
    if (!m_pView || !m_pView->m_hWnd) return;
    const RECT rc = GetClientRect();
    m_pView->MoveWindow(0, 0, rc.right, rc.bottom);
}

void CFrameWnd::OnClose() {
    if (m_pView && m_pView->m_hWnd && m_pView->HoldsClose()) return;
    if (m_pView && m_pView->m_hWnd) m_pView->OnFrameClosing();
    DestroyWindow();
}

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
        case WM_SIZE:
            PlaceView();
            return 0;
        case WM_SETFOCUS:
            if (m_pView && m_pView->m_hWnd) ::SetFocus(m_pView->m_hWnd);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_NCDESTROY:
            // The application ends with its main frame.
            if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
                app->m_pMainWnd = nullptr;
                ::PostQuitMessage(0);
            }
            break;
        default:
            break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

bool CSingleDocSet::Open(const wchar_t* title, DWORD style, std::function<std::unique_ptr<CView>()> newView) {
    if (!document || !frame) return false;
    CCreateContext context{document.get(), std::move(newView)};
    if (!frame->LoadFrame(title, style, context)) return false;
    if (!document->OnNewDocument()) return false;
    frame->InitialUpdateFrame();
    return true;
}

void CSingleDocSet::Close() {
    if (frame && frame->m_hWnd) frame->DestroyWindow();
    frame.reset();
    document.reset();
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_pView && m_pView->m_hWnd &&
        (msg->hwnd == m_pView->m_hWnd || ::IsChild(m_pView->m_hWnd, msg->hwnd))) {
        return m_pView->TranslateViewAccelerator(msg) ? TRUE : FALSE;
    }
    return CWnd::PreTranslateMessage(msg);
}
