#include "framework/HtmlView.h"

CHtmlView::~CHtmlView() {
    // The browser's windows are children of ours: release it while they still exist.
    if (m_pBrowser) m_pBrowser->Destroy();
}

int CHtmlView::OnCreate(CREATESTRUCTW* cs) {
    if (CView::OnCreate(cs) == -1) return -1;
    m_pBrowser = m_browserFactory ? m_browserFactory() : nullptr;
    if (!m_pBrowser || !m_pBrowser->Create(m_hWnd, GetClientRect(), this)) {
        m_pBrowser.reset();
        return -1;
    }
    return 0;
}

bool CHtmlView::Navigate2(const std::wstring& url) { return m_pBrowser && m_pBrowser->Navigate(url); }

void CHtmlView::Refresh() {
    if (m_pBrowser) m_pBrowser->Refresh();
}

void CHtmlView::SetSilent(bool silent) {
    if (m_pBrowser) m_pBrowser->SetSilent(silent);
}

bool CHtmlView::HoldsClose() {
    m_closeHeld = m_pBrowser && m_pBrowser->IsModal();
    return m_closeHeld;
}

void CHtmlView::OnModalEnded() {
    if (!m_closeHeld) return;
    m_closeHeld = false;
    if (m_hWnd) ::PostMessageW(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
}

void CHtmlView::OnFrameClosing() {
    if (m_pBrowser) m_pBrowser->PromptBeforeLeave();
}

LRESULT CHtmlView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            if (m_pBrowser) m_pBrowser->Move(GetClientRect());
            return 0;
        case WM_SETFOCUS:
            // A game view is a child of another process's window and never sees activation:
            // the focus it is given is its activation.
            if (m_pBrowser) m_pBrowser->Activate(true);
            if (m_pBrowser && m_pBrowser->Window()) ::SetFocus(m_pBrowser->Window());
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the browser covers the whole view
        case WM_DESTROY:
            if (m_pBrowser) m_pBrowser->Destroy();
            break;
        default:
            break;
    }
    return CView::WindowProc(msg, wParam, lParam);
}
