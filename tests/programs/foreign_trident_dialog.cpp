// Another program's web-page dialog: a top-most window of the browser's HTML dialog class.
// It does not close on WM_CLOSE but counts it. A test posts WM_APP behind anything already
// posted, then asks with WM_APP + 1: 0 while WM_APP has not arrived, else 1 + the closes.
#include <windows.h>

namespace {
int g_closes = 0;
bool g_marker = false;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            ++g_closes;
            return 0;
        case WM_APP:
            g_marker = true;
            return 0;
        case WM_APP + 1:
            return g_marker ? 1 + g_closes : 0;
        default:
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
}  // namespace

int wmain() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Internet Explorer_TridentDlgFrame";
    if (!::RegisterClassW(&wc)) return 1;
    HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"QhForeignTrident",
                                  WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
