#include "framework/Wnd.h"

#include "framework/WinApp.h"

#include <vector>

namespace {
const wchar_t kBindingProperty[] = L"QuarnelHalvira.CWnd";
const wchar_t kFrameworkClass[] = L"QuarnelHalvira.Wnd";
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // The window must not outlive the object that handles its messages.
        HWND hwnd = m_hWnd;
        Unbind();
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    // Window properties can be read across processes, and a game process's windows have the
    // main window of another process as their parent: its pointer means nothing here.
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != ::GetCurrentProcessId()) return nullptr;
    return static_cast<CWnd*>(::GetPropW(hwnd, kBindingProperty));
}

void CWnd::Bind(HWND hwnd) noexcept {
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kBindingProperty, this);
}

void CWnd::Unbind() noexcept {
    if (!m_hWnd) return;
    ::RemovePropW(m_hWnd, kBindingProperty);
    if (m_pfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    m_hWnd = nullptr;
}

const wchar_t* CWnd::FrameworkClassName() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &CWnd::StaticWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kFrameworkClass;
        return ::RegisterClassExW(&wc);
    }();
    return atom ? kFrameworkClass : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rc,
                    HWND parent, UINT_PTR idOrMenu) {
    if (m_hWnd) return false;
    const wchar_t* cls = className ? className : FrameworkClassName();
    HWND hwnd = ::CreateWindowExW(exStyle, cls, title, style, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                                  ::GetModuleHandleW(nullptr), this);
    if (!hwnd) return false;
    // Windows of foreign classes (buttons, statics) do not pass WM_NCCREATE to us.
    if (!m_hWnd) SubclassWindow(hwnd);
    return true;
}

bool CWnd::DestroyWindow() noexcept {
    if (!m_hWnd) return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

bool CWnd::SubclassWindow(HWND hwnd) noexcept {
    if (m_hWnd || !hwnd || FromHandlePermanent(hwnd)) return false;
    Bind(hwnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    return true;
}

bool CWnd::SubclassDlgItem(int id, HWND parent) noexcept { return SubclassWindow(::GetDlgItem(parent, id)); }

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRAWITEM) {
        // Owner-drawn framework controls draw themselves.
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && FromHandlePermanent(item->hwndItem)) {
            return ::SendMessageW(item->hwndItem, kReflectedDrawItem, wParam, lParam);
        }
    }
    return Default(msg, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(hwnd);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWnd*>(cs->lpCreateParams);
        if (self) self->Bind(hwnd);
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dispatcher.
        result = 0;
    }
    if (msg == WM_NCDESTROY) {
        self->Unbind();
        self->PostNcDestroy();
    }
    return result;
}

std::wstring CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

RECT CWnd::GetClientRect() const noexcept {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const noexcept {
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) const noexcept {
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>((GetStyle() & ~remove) | add));
}

void CWnd::ModifyStyleEx(DWORD remove, DWORD add) const noexcept {
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>((GetExStyle() & ~remove) | add));
}

void CWnd::CenterWindow() const noexcept {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT rc = GetWindowRect();
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    SetWindowPos(nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::RunModalLoop() {
    m_bInModalLoop = true;
    m_bContinueModal = true;
    m_nModalResult = -1;
    bool shownOnIdle = false;
    MSG msg{};
    while (m_bContinueModal) {
        if (!shownOnIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Like the system's dialog manager: a modal window appears once its
            // initial messages have been handled.
            shownOnIdle = true;
            if (m_bShowModalOnIdle && m_hWnd && !(GetStyle() & WS_VISIBLE)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
            }
        }
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!CWinApp::PreTranslateChain(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!m_hWnd) break;  // destroyed while running
    }
    m_bInModalLoop = false;
    return m_nModalResult;
}

void CWnd::EndModalLoop(int result) noexcept {
    m_nModalResult = result;
    if (m_bContinueModal) {
        m_bContinueModal = false;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
    }
}
