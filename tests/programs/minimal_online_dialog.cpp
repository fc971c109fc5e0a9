// The smallest dialog program that does what every online launcher must do before its window:
// the same manifest (the resources are the launcher's), the common controls registered with
// the active theme, and one request over the internet library, whose pool thread and buffers
// stay. The second baseline of the launcher's start-up.
//   minimal_online_dialog URL
#include "update/InternetHandle.h"

#include <windows.h>
#include <commctrl.h>

namespace {
INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        ::SetWindowTextW(hwnd, L"QuarnelHalvira");
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd, 0);
        return TRUE;
    }
    return FALSE;
}

// One GET, its answer read to the end; false when no answer came.
bool Fetch(const wchar_t* url) {
    const UniqueInternet internet(::InternetOpenW(L"QuarnelHalvira", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet) return false;
    const UniqueInternet request(
        ::InternetOpenUrlW(internet.Get(), url, nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request) return false;
    char buffer[512];
    DWORD got = 0;
    while (::InternetReadFile(request.Get(), buffer, sizeof(buffer), &got) && got != 0) {
    }
    return true;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    ::InitCommonControlsEx(&controls);
    if (!Fetch(argv[1])) return 3;
    // Template 130 is an empty dialog, as plain as a dialog gets.
    return static_cast<int>(::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(130), nullptr, &Proc, 0));
}
