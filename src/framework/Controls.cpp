#include "framework/Controls.h"

int CImageList::Add(HBITMAP bitmap, COLORREF mask) const noexcept {
    UniqueBitmap copy(static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!copy) return -1;
    return ::ImageList_AddMasked(m_list.Get(), copy.Get(), mask);
}

bool CToolTipCtrl::Create(HWND owner, DWORD style) {
    const RECT rc{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, rc, owner, 0)) return false;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

namespace {
TOOLINFOW MakeToolInfo(HWND owner, HWND tool, const wchar_t* text, const RECT* rc, UINT_PTR id) {
    // The XP-sized record: common controls 6 accepts it, and older versions reject the larger one.
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = rc ? tool : owner;
    info.uFlags = rc ? 0u : (TTF_IDISHWND | TTF_SUBCLASS);
    info.uId = rc ? id : reinterpret_cast<UINT_PTR>(tool);
    if (rc) info.rect = *rc;
    info.lpszText = const_cast<wchar_t*>(text ? text : LPSTR_TEXTCALLBACKW);
    return info;
}
}  // namespace

// A top-level window that is its own tool names itself as the tool's window.
HWND ToolOwner(HWND tool) {
    HWND parent = ::GetParent(tool);
    return parent ? parent : tool;
}

bool CToolTipCtrl::AddTool(HWND tool, const wchar_t* text, const RECT* rc, UINT_PTR id) const {
    TOOLINFOW info = MakeToolInfo(ToolOwner(tool), tool, text, rc, id);
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(HWND tool, const wchar_t* text, UINT_PTR id) const {
    TOOLINFOW info = MakeToolInfo(ToolOwner(tool), tool, text, nullptr, id);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}
