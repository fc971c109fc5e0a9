// Thin wrappers over the standard and common controls: a CWnd bound to the control plus
// one-line helpers for the messages the launcher sends them.
#pragma once
#include "base/Handles.h"
#include "framework/Wnd.h"

#include <commctrl.h>
#include <string>

class CButton : public CWnd {
public:
    bool Create(const wchar_t* text, DWORD style, const RECT& rc, HWND parent, UINT id) {
        return CreateEx(0, L"BUTTON", text, style, rc, parent, id);
    }
};

class CStatic : public CWnd {
public:
    bool Create(const wchar_t* text, DWORD style, const RECT& rc, HWND parent, UINT id = 0xFFFF) {
        return CreateEx(0, L"STATIC", text, style, rc, parent, id);
    }
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) const noexcept { SendMessage(EM_SETSEL, start, end); }
};

class CProgressCtrl : public CWnd {
public:
    void SetRange(int lower, int upper) const noexcept { SendMessage(PBM_SETRANGE32, lower, upper); }
    void GetRange(int& lower, int& upper) const noexcept {
        PBRANGE range{};
        SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        lower = range.iLow;
        upper = range.iHigh;
    }
    int SetPos(int pos) const noexcept { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    int GetPos() const noexcept { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};

// A tooltip window; created on demand by the control that owns it.
class CToolTipCtrl : public CWnd {
public:
    bool Create(HWND owner, DWORD style = TTS_ALWAYSTIP);
    bool AddTool(HWND tool, const wchar_t* text, const RECT* rc = nullptr, UINT_PTR id = 0) const;
    void UpdateTipText(HWND tool, const wchar_t* text, UINT_PTR id = 0) const;
    void SetAutomaticDelay(int ms) const noexcept { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, ms); }
    void Activate(bool active) const noexcept { SendMessage(TTM_ACTIVATE, active ? TRUE : FALSE); }
    void RelayEvent(MSG* msg) const noexcept { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};

// An owned image list.
class CImageList {
public:
    bool Create(int cx, int cy, UINT flags, int initial, int grow) noexcept {
        m_list.Reset(::ImageList_Create(cx, cy, flags, initial, grow));
        return m_list.IsValid();
    }
    // Adds a copy: the system blackens the masked pixels of the bitmap it is given, and
    // callers reuse their strips (a maximise button switches between two).
    int Add(HBITMAP bitmap, COLORREF mask) const noexcept;
    bool Draw(HDC hdc, int index, int x, int y, UINT style = ILD_TRANSPARENT) const noexcept {
        return ::ImageList_Draw(m_list.Get(), index, hdc, x, y, style) != FALSE;
    }
    int GetImageCount() const noexcept { return m_list ? ::ImageList_GetImageCount(m_list.Get()) : 0; }
    void Destroy() noexcept { m_list.Reset(); }
    [[nodiscard]] HIMAGELIST Get() const noexcept { return m_list.Get(); }
    explicit operator bool() const noexcept { return m_list.IsValid(); }

private:
    UniqueImageList m_list;
};

// An owned pop-up menu.
class CMenu {
public:
    bool CreatePopupMenu() noexcept {
        m_menu.Reset(::CreatePopupMenu());
        return m_menu.IsValid();
    }
    bool AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text) const noexcept {
        return ::AppendMenuW(m_menu.Get(), flags, id, text) != FALSE;
    }
    UINT TrackPopupMenu(UINT flags, int x, int y, HWND owner) const noexcept {
        return static_cast<UINT>(::TrackPopupMenu(m_menu.Get(), flags, x, y, 0, owner, nullptr));
    }
    [[nodiscard]] HMENU Get() const noexcept { return m_menu.Get(); }

private:
    UniqueMenu m_menu;
};
