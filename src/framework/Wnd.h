// CWnd: a C++ object bound to one HWND. The binding lives in a window property set in one
// place (Bind), so any HWND, also one of a class we did not register, can be asked safely
// whether it belongs to a framework object.
#pragma once
#include <windows.h>
#include <string>

// Owner-draw notifications handed back to the control that asked for them.
constexpr UINT kReflectedDrawItem = WM_DRAWITEM + 0x2000;

class CWnd {
public:
    CWnd() noexcept = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const noexcept { return m_hWnd; }
    [[nodiscard]] HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    [[nodiscard]] static CWnd* FromHandlePermanent(HWND hwnd) noexcept;

    // Creates a window of the framework's own class (or of `className`) bound to this object.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rc,
                  HWND parent, UINT_PTR idOrMenu);
    bool DestroyWindow() noexcept;

    // Binds an existing window (a control from a dialog template) and routes its messages
    // through WindowProc; unhandled messages go to the control's original procedure.
    bool SubclassWindow(HWND hwnd) noexcept;
    bool SubclassDlgItem(int id, HWND parent) noexcept;

    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PreSubclassWindow() {}
    // Called after WM_NCDESTROY, when the object no longer has a window.
    virtual void PostNcDestroy() {}

    // Modal loop shared by modal dialogs: runs until EndModalLoop, offering every message
    // to the pre-translation chain first.
    int RunModalLoop();
    void EndModalLoop(int result) noexcept;
    [[nodiscard]] bool IsInModalLoop() const noexcept { return m_bInModalLoop; }

    // Thin wrappers used throughout the launcher.
    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const noexcept { return ::SendMessageW(m_hWnd, msg, w, l); }
    BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const noexcept { return ::PostMessageW(m_hWnd, msg, w, l); }
    HWND GetDlgItem(int id) const noexcept { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const noexcept { return ::GetParent(m_hWnd); }
    void SetWindowText(const wchar_t* text) const noexcept { ::SetWindowTextW(m_hWnd, text); }
    [[nodiscard]] std::wstring GetWindowText() const;
    RECT GetClientRect() const noexcept;
    RECT GetWindowRect() const noexcept;
    BOOL ShowWindow(int cmd) const noexcept { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const noexcept { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindow() const noexcept { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) const noexcept {
        return ::MoveWindow(m_hWnd, x, y, w, h, repaint);
    }
    BOOL SetWindowPos(HWND after, int x, int y, int w, int h, UINT flags) const noexcept {
        return ::SetWindowPos(m_hWnd, after, x, y, w, h, flags);
    }
    void Invalidate(BOOL erase = TRUE) const noexcept { ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL UpdateWindow() const noexcept { return ::UpdateWindow(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const noexcept { return ::EnableWindow(m_hWnd, enable); }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) const noexcept { return ::SetTimer(m_hWnd, id, ms, nullptr); }
    BOOL KillTimer(UINT_PTR id) const noexcept { return ::KillTimer(m_hWnd, id); }
    DWORD GetStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    void ModifyStyle(DWORD remove, DWORD add) const noexcept;
    void ModifyStyleEx(DWORD remove, DWORD add) const noexcept;
    HFONT GetFont() const noexcept { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT font, BOOL redraw = TRUE) const noexcept {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    void CenterWindow() const noexcept;

protected:
    // A modal window is shown once its first messages are handled, unless it says otherwise.
    bool m_bShowModalOnIdle = true;
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The framework's own window class for plain windows (tool windows, test windows).
    static const wchar_t* FrameworkClassName();
    void Bind(HWND hwnd) noexcept;

private:
    void Unbind() noexcept;

    WNDPROC m_pfnSuper = nullptr;  // original procedure of a subclassed window
    bool m_bInModalLoop = false;
    bool m_bContinueModal = false;
    int m_nModalResult = -1;
};
