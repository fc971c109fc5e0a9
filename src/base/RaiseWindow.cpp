#include "base/RaiseWindow.h"

void RaiseAboveOthers(HWND hwnd, bool activate) {
    if (!::IsWindow(hwnd)) return;
    const DWORD windowThread = ::GetWindowThreadProcessId(hwnd, nullptr);
    HWND foreground = ::GetForegroundWindow();
    const DWORD foregroundThread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attach = foregroundThread && foregroundThread != windowThread;
    if (attach) ::AttachThreadInput(windowThread, foregroundThread, TRUE);
    // Topmost and straight back: the one change that puts a window above all others.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE);
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
    ::SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (activate) ::SetForegroundWindow(hwnd);
    if (attach) ::AttachThreadInput(windowThread, foregroundThread, FALSE);
}
