#include "login/PageDialog.h"

#include <mshtmhst.h>
#include <windowsx.h>

namespace {
constexpr DHtmlSelector ButtonClass(long dispid) { return {DHtmlSelectorKind::Class, L"button", dispid}; }
constexpr DHtmlSelector Tag(const wchar_t* tag, long dispid) { return {DHtmlSelectorKind::Tag, tag, dispid}; }
}  // namespace

bool IsAppCommandUrl(const std::wstring& url) { return url.compare(0, 4, L"app:") == 0; }

PageDialog::PageDialog(UINT templateId, UINT htmlResourceId, HWND parent) noexcept
    : CDHtmlDialog(templateId, htmlResourceId, parent) {}

PageDialog::~PageDialog() = default;

CDHtmlDialog::DHtmlEventMap PageDialog::GetDHtmlEventMap() const {
    using Self = PageDialog;
    auto h = [](HRESULT (Self::*f)(const PageElementPtr&)) { return static_cast<DHtmlEventHandler>(f); };
    // "button" entries come first, so pressing a button never drags the window.
    static const DHtmlEventMapEntry map[] = {
        {ButtonClass(dom_event::kMouseOut), h(&Self::OnButtonMouseOut)},
        {ButtonClass(dom_event::kMouseOver), h(&Self::OnButtonMouseOver)},
        {ButtonClass(dom_event::kMouseDown), h(&Self::OnButtonMouseDown)},
        {ButtonClass(dom_event::kMouseUp), h(&Self::OnButtonMouseUp)},
        {Tag(L"body", dom_event::kMouseDown), h(&Self::OnDragMouseDown)},
        {Tag(L"body", dom_event::kMouseUp), h(&Self::OnDragMouseUp)},
        {Tag(L"body", dom_event::kMouseMove), h(&Self::OnDragMouseMove)},
        {Tag(L"body", dom_event::kContextMenu), h(&Self::OnCancelEvent)},
        {Tag(L"td", dom_event::kMouseDown), h(&Self::OnDragMouseDown)},
        {Tag(L"td", dom_event::kMouseUp), h(&Self::OnDragMouseUp)},
        {Tag(L"td", dom_event::kMouseMove), h(&Self::OnDragMouseMove)},
        {Tag(L"td", dom_event::kContextMenu), h(&Self::OnCancelEvent)},
        {Tag(L"div", dom_event::kMouseDown), h(&Self::OnDragMouseDown)},
        {Tag(L"div", dom_event::kMouseUp), h(&Self::OnDragMouseUp)},
        {Tag(L"div", dom_event::kMouseMove), h(&Self::OnDragMouseMove)},
        {Tag(L"div", dom_event::kContextMenu), h(&Self::OnCancelEvent)},
    };
    return {map, sizeof(map) / sizeof(map[0])};
}

BOOL PageDialog::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    // No script-error or other browser boxes.
    if (Browser* browser = GetBrowser()) browser->SetSilent(true);
    return TRUE;
}

unsigned PageDialog::GetHostInfo(unsigned flags) { return CDHtmlDialog::GetHostInfo(flags) | DOCHOSTUIFLAG_DIALOG; }

void PageDialog::OnBeforeNavigate(const std::wstring& url, bool& cancel) {
    if (IsAppCommandUrl(url)) cancel = true;
}

void PageDialog::OnNavigateComplete(const std::wstring& url) {
    CDHtmlDialog::OnNavigateComplete(url);
    if (Browser* browser = GetBrowser()) browser->SetBodyScroll(L"auto");
}

bool PageDialog::OnNavigateErrorEvent(const std::wstring&, long, bool& cancel) {
    cancel = true;
    return true;
}

HRESULT PageDialog::OnShowMessage(HWND, const wchar_t*, const wchar_t*, DWORD, const wchar_t*, DWORD, LRESULT*) {
    return S_FALSE;
}

HRESULT PageDialog::OnShowHelp(HWND, const wchar_t*, UINT, DWORD, POINT) { return S_FALSE; }

void PageDialog::SetButtonLook(PageElement& element, ButtonLook look) {
    const std::optional<RECT> box = element.OffsetRect();
    if (!box) return;
    const long width = box->right - box->left;
    const long offset = look == ButtonLook::Normal ? 0 : look == ButtonLook::Hover ? -width : -2 * width;
    element.SetBackgroundPositionX(offset);
}

HRESULT PageDialog::OnButtonMouseOut(const PageElementPtr& element) {
    if (!HoldsCapture()) SetButtonLook(*element, ButtonLook::Normal);
    return S_FALSE;
}

HRESULT PageDialog::OnButtonMouseOver(const PageElementPtr& element) {
    if (!HoldsCapture() && !element->IsDisabled()) SetButtonLook(*element, ButtonLook::Hover);
    return S_FALSE;
}

HRESULT PageDialog::OnButtonMouseDown(const PageElementPtr& element) {
    if (element->IsDisabled()) return S_FALSE;
    // The press keeps the mouse until the next button release, inside the element or not.
    m_pCapturedElement = element;
    ::SetCapture(m_hWnd);
    SetButtonLook(*element, ButtonLook::Pressed);
    return S_FALSE;
}

HRESULT PageDialog::OnButtonMouseUp(const PageElementPtr& element) {
    OnButtonMouseOver(element);
    element->Click();
    return S_FALSE;
}

HRESULT PageDialog::OnDragMouseDown(const PageElementPtr&) {
    SendCaptionMouse(WM_NCLBUTTONDOWN);
    return S_FALSE;
}

HRESULT PageDialog::OnDragMouseUp(const PageElementPtr&) {
    SendCaptionMouse(WM_NCLBUTTONUP);
    return S_FALSE;
}

HRESULT PageDialog::OnDragMouseMove(const PageElementPtr&) {
    SendCaptionMouse(WM_NCMOUSEMOVE);
    return S_FALSE;
}

HRESULT PageDialog::OnCancelEvent(const PageElementPtr&) { return S_FALSE; }

void PageDialog::SendCaptionMouse(UINT nonClientMessage) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    SendMessage(nonClientMessage, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
}

void PageDialog::EndButtonPress(LPARAM point) {
    ::ReleaseCapture();
    if (const PageElementPtr element = std::move(m_pCapturedElement)) {
        const std::optional<RECT> box = element->OffsetRect();
        const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
        if (box && ::PtInRect(&*box, at)) {
            SetButtonLook(*element, ButtonLook::Hover);
            element->Click();
        } else {
            SetButtonLook(*element, ButtonLook::Normal);
        }
    }
}

LRESULT PageDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // While a button is pressed the release comes here, not to the page.
    if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && HoldsCapture()) {
        EndButtonPress(lParam);
        return 0;
    }
    if (msg == WM_DESTROY) m_pCapturedElement.reset();
    return CDHtmlDialog::WindowProc(msg, wParam, lParam);
}
