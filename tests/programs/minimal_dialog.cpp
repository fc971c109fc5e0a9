// The smallest Win32 dialog program: the baseline the launcher's start-up is measured against.
#include <windows.h>

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
}  // namespace

int wmain() {
    // Template 130 is an empty dialog, as plain as a dialog gets.
    return static_cast<int>(::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(130), nullptr, &Proc, 0));
}
