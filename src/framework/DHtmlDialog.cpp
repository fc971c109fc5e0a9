#include "framework/DHtmlDialog.h"

CDHtmlDialog::CDHtmlDialog(UINT templateId, UINT /*htmlResourceId*/, HWND parent) noexcept
    : CDialog(templateId, parent), m_browserFactory(&CreateBrowser) {}

CDHtmlDialog::~CDHtmlDialog() {
    if (m_pBrowser) m_pBrowser->Destroy();
}

BOOL CDHtmlDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pBrowser = m_browserFactory ? m_browserFactory() : nullptr;
    if (m_pBrowser && !m_pBrowser->Create(m_hWnd, GetClientRect(), this)) m_pBrowser.reset();
    return TRUE;
}

bool CDHtmlDialog::Navigate(const std::wstring& url) { return m_pBrowser && m_pBrowser->Navigate(url); }

bool CDHtmlDialog::OnPageEvent(long dispid, const PageElementPtr& source) {
    if (!source) return false;
    const DHtmlEventMap map = GetDHtmlEventMap();
    const DHtmlEventMapEntry* entry =
        FirstMatchingEntry<DHtmlEventMapEntry>(map, dispid, source->ClassName(), source->TagName());
    if (!entry || !entry->handler) return false;
    return (this->*(entry->handler))(source) == S_FALSE;
}

BOOL CDHtmlDialog::PreTranslateMessage(MSG* msg) {
    // The page's fields take Tab, Enter and editing keys before the dialog does.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_pBrowser &&
        m_pBrowser->TranslateAccelerator(msg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CDHtmlDialog::OnModalEnded() {
    if (!m_closeHeld) return;
    m_closeHeld = false;
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

LRESULT CDHtmlDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE && m_pBrowser) {
        const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
        m_pBrowser->Move(GetClientRect());
        return result;
    }
    // While a box of the page is open its script waits inside the browser: the dialog closes
    // when the box has gone (OnModalEnded).
    const bool closing = msg == WM_CLOSE || (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
    if (closing && m_pBrowser && m_pBrowser->IsModal()) {
        m_closeHeld = true;
        return 0;
    }
    if (msg == WM_ACTIVATE && m_pBrowser) m_pBrowser->Activate(LOWORD(wParam) != WA_INACTIVE);
    if (msg == WM_DESTROY && m_pBrowser) {
        m_pBrowser->Destroy();
        m_pBrowser.reset();
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}
