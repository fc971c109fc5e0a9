// A window of another process that carries the framework's binding property with a value
// meaningful only there (as a main window does for its game processes). Closes on WM_CLOSE.
#include <windows.h>

int wmain() {
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"QhForeignWindow", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::SetPropW(hwnd, L"QuarnelHalvira.CWnd", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x10)));
    MSG msg;
    while (::IsWindow(hwnd) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_CLOSE) break;
        ::DispatchMessageW(&msg);
    }
    return 0;
}
