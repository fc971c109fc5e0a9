// The test build's browser: a plain child window that plays a page's part. A navigation
// fires the events Internet Explorer fires, in its order and asynchronously like it; the
// page's title is its address until the page's script sets another. Tests drive "the page"
// from outside (ScriptedBrowserProtocol.h), or a person does through the page's commands
// offered as buttons when QH_SCRIPTED_BY_HAND is set (scripts/run --scripted).
#include "base/Config.h"
#include "base/Handles.h"
#include "framework/Browser.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "framework/rules/HandPage.h"

#include <wininet.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

namespace {
constexpr UINT kRunNavigation = WM_APP + 1;
constexpr int kRecordEditId = 99;
constexpr int kFirstHandButtonId = 100;

bool ByHand() {
    static const bool byHand = ::GetEnvironmentVariableW(L"QH_SCRIPTED_BY_HAND", nullptr, 0) > 0;
    return byHand;
}

hand::Hosts DevHosts() { return hand::Hosts{config::kAccountHost, config::kBridgeHost, config::kClientHost}; }

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
        m_handControls.clear();
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
    // The scripted page zooms like the real browser's optical zoom: its content is drawn at
    // the factor, and a test can ask what the factor is.
    bool CanZoom() const override { return m_hwnd != nullptr; }
    bool SetZoom(int percent) override {
        if (!m_hwnd || percent <= 0) return false;
        m_zoom = percent;
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
        return true;
    }
    std::optional<SIZE> ContentSize() const override {
        if (m_location.empty()) return std::nullopt;
        return kScriptedContentSize;
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
        if (ByHand()) ShowHandControls();
        ::InvalidateRect(m_hwnd, nullptr, TRUE);
        m_events->OnDocumentComplete(url);
    }

    // The page's commands as buttons (and the record to log in with as a text field).
    void ShowHandControls() {
        for (HWND control : m_handControls) ::DestroyWindow(control);
        m_handControls.clear();
        const std::vector<hand::Command> commands = hand::CommandsFor(m_location, m_handRecord, DevHosts());
        if (commands.empty()) return;
        const RECT panel = PagePanel(m_hwnd);
        int x = panel.left + 12;
        int y = panel.top + 12;
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
        if (hand::TakesRecord(m_location, DevHosts())) {
            HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", m_handRecord.c_str(),
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x, y, 200, 24, m_hwnd,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRecordEditId)), instance,
                                          nullptr);
            ::SendMessageW(edit, WM_SETFONT, font, FALSE);
            m_handControls.push_back(edit);
            y += 32;
        }
        for (size_t i = 0; i < commands.size(); ++i) {
            const int column = static_cast<int>(i % 4);
            const int row = static_cast<int>(i / 4);
            HWND button = ::CreateWindowExW(
                0, L"BUTTON", commands[i].label.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                x + column * 82, y + row * 32, 76, 26, m_hwnd,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstHandButtonId + i)), instance, nullptr);
            ::SendMessageW(button, WM_SETFONT, font, FALSE);
            m_handControls.push_back(button);
        }
    }

    void RunHandCommand(int index) {
        if (HWND edit = ::GetDlgItem(m_hwnd, kRecordEditId)) {
            wchar_t text[256] = {};
            ::GetWindowTextW(edit, text, 256);
            m_handRecord = text;
        }
        const std::vector<hand::Command> commands = hand::CommandsFor(m_location, m_handRecord, DevHosts());
        if (index < 0 || static_cast<size_t>(index) >= commands.size()) return;
        const hand::Command& command = commands[static_cast<size_t>(index)];
        if (!command.cookie.empty()) ::InternetSetCookieW(command.address.c_str(), nullptr, command.cookie.c_str());
        Navigate(command.address);
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
            case kQueryZoom: return m_zoom;
            default: return -1;
        }
    }

    void Paint(HWND hwnd) const {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(hwnd, &ps);
        Draw(hwnd, dc);
        ::EndPaint(hwnd, &ps);
    }

    // The colour key of a host that wants one (the login page's), when it does.
    static std::optional<COLORREF> HostColourKey(HWND hwnd) {
        COLORREF key = 0;
        DWORD flags = 0;
        if (::GetLayeredWindowAttributes(::GetAncestor(hwnd, GA_ROOT), &key, nullptr, &flags) &&
            (flags & LWA_COLORKEY)) {
            return key;
        }
        return std::nullopt;
    }

    // Where the page's content shows: all of it, or for a colour-keyed host a centred panel.
    static RECT PagePanel(HWND hwnd) {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        if (!HostColourKey(hwnd)) return rc;
        const int w = std::min<int>(rc.right, 360);
        const int h = std::min<int>(rc.bottom, 260);
        return RECT{(rc.right - w) / 2, (rc.bottom - h) / 2, (rc.right + w) / 2, (rc.bottom + h) / 2};
    }

    // The page as it shows: its title on the window's background, or for a colour-keyed host
    // a panel in the key colour's margins. Also what a print request gets.
    void Draw(HWND hwnd, HDC dc) const {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        FillWith(dc, rc, RGB(255, 255, 255));
        if (const std::optional<COLORREF> key = HostColourKey(hwnd)) {
            // A page made for a colour-keyed host (the login page) leaves its margins in the
            // key colour, so only its panel shows over what lies behind.
            FillWith(dc, rc, *key);
            rc = PagePanel(hwnd);
            FillWith(dc, rc, RGB(255, 255, 255));
            ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        }
        ::SetBkMode(dc, TRANSPARENT);
        UniqueFont zoomed;
        std::optional<SelectScope> font;
        if (m_zoom != 100 && !HostColourKey(hwnd)) {
            // The page's content at the factor: its box and its text scaled alike.
            const RECT content{0, 0, kScriptedContentSize.cx * m_zoom / 100, kScriptedContentSize.cy * m_zoom / 100};
            FillWith(dc, content, RGB(232, 240, 250));
            ::FrameRect(dc, &content, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            LOGFONTW description{};
            description.lfHeight = -16 * m_zoom / 100;
            ::lstrcpynW(description.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
            zoomed.Reset(::CreateFontIndirectW(&description));
            font.emplace(dc, zoomed.Get());
            rc = content;
        }
        UINT place = DT_VCENTER;
        if (!m_handControls.empty()) {  // below the buttons a person drives the page with
            place = DT_BOTTOM;
            ::InflateRect(&rc, -8, -8);
        }
        ::DrawTextW(dc, m_title.c_str(), static_cast<int>(m_title.size()), &rc,
                    DT_CENTER | place | DT_SINGLELINE | DT_END_ELLIPSIS);
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
            if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= kFirstHandButtonId) {
                self->RunHandCommand(LOWORD(wParam) - kFirstHandButtonId);
                return 0;
            }
            if (msg == QueryMessage()) return self->Answer(wParam);
            if (msg == WM_PAINT) {
                self->Paint(hwnd);
                return 0;
            }
            // A click into the page gives it the keyboard, as the real browser's does.
            if (msg == WM_LBUTTONDOWN) ::SetFocus(hwnd);
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
    int m_zoom = 100;
    std::wstring m_leaveQuestion;
    std::wstring m_bodyScroll;
    unsigned m_hostFlags = 0;
    int m_refreshes = 0;
    int m_completed = 0;
    bool m_silent = false;
    std::vector<HWND> m_handControls;  // children of m_hwnd: go with it
    std::wstring m_handRecord = L"s1-alice";
};
}  // namespace

std::unique_ptr<Browser> CreateScriptedBrowser() { return std::make_unique<ScriptedBrowser>(); }
