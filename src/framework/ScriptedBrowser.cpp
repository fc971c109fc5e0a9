// The test build's browser: a plain child window that plays a page's part. A navigation
// fires the events Internet Explorer fires, in its order and asynchronously like it; the
// page's title is its address until the page's script sets another. Tests drive "the page"
// from outside (ScriptedBrowserProtocol.h).
#include "framework/Browser.h"
#include "framework/ScriptedBrowserProtocol.h"

#include <wininet.h>

#include <algorithm>
#include <deque>
#include <optional>

namespace {
constexpr UINT kRunNavigation = WM_APP + 1;

struct PendingNavigation {
    std::wstring url;
    std::optional<std::wstring> frameUrl;  // set when an inner frame navigates
};

class ScriptedBrowser final : public Browser {
public:
    ~ScriptedBrowser() override { Destroy(); }

    bool Create(HWND parent, const RECT& rc, BrowserEvents* events) override {
        if (m_hwnd || !events || !RegisterClassOnce()) return false;
        m_events = events;
        m_hwnd = ::CreateWindowExW(0, kScriptedBrowserClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc.left,
                                   rc.top, rc.right - rc.left, rc.bottom - rc.top, parent, nullptr,
                                   ::GetModuleHandleW(nullptr), this);
        if (!m_hwnd) return false;
        // Internet Explorer asks its host while it sets up its user interface.
        m_hostFlags = m_events->OnGetHostInfo(0);
        return true;
    }

    void Destroy() override {
        if (!m_hwnd) return;
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd);
        m_pending.clear();
    }

    void Move(const RECT& rc) override {
        if (m_hwnd) ::MoveWindow(m_hwnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }

    bool Navigate(const std::wstring& url) override { return Queue({url, std::nullopt}); }

    void Refresh() override {
        if (m_hwnd) ++m_refreshes;
    }
    void SetSilent(bool silent) override { m_silent = silent; }
    std::wstring LocationUrl() const override { return m_location; }
    std::wstring Title() const override { return m_title; }
    HWND Window() const override { return m_hwnd; }
    void SetBodyScroll(const std::wstring& value) override {
        if (!m_location.empty()) m_bodyScroll = value;
    }

    bool PromptBeforeLeave() override {
        if (m_leaveQuestion.empty()) return true;
        // Like a page's "before unload" box: its own modal loop, owned by no window of ours
        // (the frame may be a child of another process's window).
        return ::MessageBoxW(nullptr, m_leaveQuestion.c_str(), kWebPageMessageTitle, MB_OKCANCEL) != IDCANCEL;
    }

private:
    // Navigations run one by one from the message loop, as the real browser's arrive.
    bool Queue(PendingNavigation navigation) {
        if (!m_hwnd) return false;
        m_pending.push_back(std::move(navigation));
        ::PostMessageW(m_hwnd, kRunNavigation, 0, 0);
        return true;
    }

    static bool RegisterClassOnce() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &ScriptedBrowser::Proc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = kScriptedBrowserClass;
            return ::RegisterClassW(&wc);
        }();
        return atom != 0;
    }

    static UINT QueryMessage() {
        static const UINT message = ::RegisterWindowMessageW(kScriptedBrowserQueryMessage);
        return message;
    }

    void RunNextNavigation() {
        if (m_pending.empty()) return;
        const PendingNavigation next = m_pending.front();
        m_pending.pop_front();
        const std::wstring& url = next.url;
        bool cancel = false;
        if (next.frameUrl) {
            // The frame's own document is not played: nothing follows the start.
            m_events->OnBeforeFrameNavigate2(url, *next.frameUrl, cancel);
            return;
        }
        m_events->OnBeforeNavigate2(url, cancel);
        if (cancel || !m_hwnd) return;
        m_location = url;
        m_bodyScroll.clear();
        m_events->OnNavigateComplete2(url);
        if (!m_hwnd) return;
        m_title = url;
        m_events->OnTitleChange(m_title);
        if (!m_hwnd) return;
        ++m_completed;
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
        m_events->OnDocumentComplete(url);
    }

    LRESULT OnCommand(const COPYDATASTRUCT* data) {
        if (!data || !data->lpData || data->cbData > 64 * 1024) return 0;
        std::wstring text(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        if (const size_t end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
        switch (data->dwData) {
            case kScriptNavigate:
                return Navigate(text) ? 1 : 0;
            case kScriptNavigateFrame: {
                const size_t split = text.find(L'\n');
                if (split == std::wstring::npos) return 0;
                return Queue({text.substr(split + 1), text.substr(0, split)}) ? 1 : 0;
            }
            case kScriptAskBeforeLeave:
                m_leaveQuestion = text;
                return 1;
            case kScriptSetTitle:
                m_title = text;
                ::InvalidateRect(m_hwnd, nullptr, TRUE);
                m_events->OnTitleChange(m_title);
                return 1;
            case kScriptSetCookie: {
                const size_t split = text.find(L'\n');
                if (split == std::wstring::npos) return 0;
                const std::wstring url = text.substr(0, split);
                const std::wstring cookie = text.substr(split + 1);
                return ::InternetSetCookieW(url.c_str(), nullptr, cookie.c_str()) ? 1 : 0;
            }
            default:
                return 0;
        }
    }

    LRESULT Answer(WPARAM query) const {
        switch (query) {
            case kQueryRefreshCount: return m_refreshes;
            case kQueryHostFlags: return static_cast<LRESULT>(m_hostFlags);
            case kQuerySilent: return m_silent ? 1 : 0;
            case kQueryCompletedNavigations: return m_completed;
            case kQueryBodyScrollAuto: return m_bodyScroll == L"auto" ? 1 : 0;
            default: return -1;
        }
    }

    void Paint(HWND hwnd) const {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(hwnd, &ps);
        Draw(hwnd, dc);
        ::EndPaint(hwnd, &ps);
    }

    // The page as it shows: its title on the window's background, or for a colour-keyed host
    // a panel in the key colour's margins. Also what a print request gets.
    void Draw(HWND hwnd, HDC dc) const {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        FillWith(dc, rc, RGB(255, 255, 255));
        COLORREF key = 0;
        DWORD flags = 0;
        if (::GetLayeredWindowAttributes(::GetAncestor(hwnd, GA_ROOT), &key, nullptr, &flags) &&
            (flags & LWA_COLORKEY)) {
            // A page made for a colour-keyed host (the login page) leaves its margins in the
            // key colour, so only its panel shows over what lies behind.
            FillWith(dc, rc, key);
            const int w = std::min<int>(rc.right, 360);
            const int h = std::min<int>(rc.bottom, 260);
            RECT panel{(rc.right - w) / 2, (rc.bottom - h) / 2, (rc.right + w) / 2, (rc.bottom + h) / 2};
            FillWith(dc, panel, RGB(255, 255, 255));
            ::FrameRect(dc, &panel, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            rc = panel;
        }
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, m_title.c_str(), static_cast<int>(m_title.size()), &rc,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }

    static void FillWith(HDC dc, const RECT& rc, COLORREF colour) {
        const COLORREF old = ::SetBkColor(dc, colour);
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        ::SetBkColor(dc, old);
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<ScriptedBrowser*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        try {
            if (msg == kRunNavigation) {
                self->RunNextNavigation();
                return 0;
            }
            if (msg == WM_COPYDATA) return self->OnCommand(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            if (msg == QueryMessage()) return self->Answer(wParam);
            if (msg == WM_PAINT) {
                self->Paint(hwnd);
                return 0;
            }
            if (msg == WM_PRINTCLIENT) {
                self->Draw(hwnd, reinterpret_cast<HDC>(wParam));
                return 0;
            }
        } catch (...) {
            return 0;  // nothing unwinds through the system's dispatcher
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    BrowserEvents* m_events = nullptr;
    std::deque<PendingNavigation> m_pending;
    std::wstring m_location;
    std::wstring m_title;
    std::wstring m_leaveQuestion;
    std::wstring m_bodyScroll;
    unsigned m_hostFlags = 0;
    int m_refreshes = 0;
    int m_completed = 0;
    bool m_silent = false;
};
}  // namespace

std::unique_ptr<Browser> CreateScriptedBrowser() { return std::make_unique<ScriptedBrowser>(); }
