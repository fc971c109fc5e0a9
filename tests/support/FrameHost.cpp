#include "support/FrameHost.h"

#include "base/Messages.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "support/Process.h"

FrameHost::FrameHost() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &FrameHost::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH));
    wc.lpszClassName = L"QhTestFrameHost";
    ::RegisterClassW(&wc);
    m_hwnd = ::CreateWindowW(L"QhTestFrameHost", L"frame host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                             0, 0, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

FrameHost::~FrameHost() { Destroy(); }

void FrameHost::Destroy() {
    if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

std::wstring FrameHost::Argument() const { return L"/" + std::to_wstring(reinterpret_cast<UINT_PTR>(m_hwnd)); }

HWND FrameHost::WaitForFrame(DWORD ms) {
    WaitUntil([this] { return !m_registrations.empty(); }, ms);
    return m_registrations.empty() ? nullptr : m_registrations.front().frame;
}

RECT FrameHost::GameArea() const {
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    return RECT{4, 30, client.right - 4, client.bottom - 4};
}

LRESULT CALLBACK FrameHost::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<FrameHost*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_FRAME_CREATED) {
        self->m_registrations.push_back({reinterpret_cast<HWND>(w), l});
        return 0;
    }
    if (self && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)) {
        MSG key{};
        key.hwnd = hwnd;
        key.message = msg;
        key.wParam = w;
        key.lParam = l;
        self->m_keys.push_back(key);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, w, l);
}

namespace {
BOOL CALLBACK FindBrowserChild(HWND child, LPARAM param) {
    if (ClassName(child) != kScriptedBrowserClass) return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}
}  // namespace

HWND FindScriptedBrowser(HWND frame) {
    HWND found = nullptr;
    ::EnumChildWindows(frame, &FindBrowserChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

LRESULT QueryScriptedBrowser(HWND browser, WPARAM query) {
    static const UINT message = ::RegisterWindowMessageW(kScriptedBrowserQueryMessage);
    DWORD_PTR result = static_cast<DWORD_PTR>(-1);
    if (!::SendMessageTimeoutW(browser, message, query, 0, SMTO_NORMAL, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

bool SendPageCommand(HWND browser, ULONG_PTR command, const std::wstring& text) {
    COPYDATASTRUCT data{};
    data.dwData = command;
    data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(text.c_str());
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(browser, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000,
                                 &result) && result == 1;
}
