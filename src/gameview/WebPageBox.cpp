#include "gameview/WebPageBox.h"

#include <vector>

namespace {
BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM param) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    wchar_t cls[16] = {};
    if (process == ::GetCurrentProcessId() && ::GetClassNameW(hwnd, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    }
    return TRUE;
}

std::vector<HWND> DialogsOfThisProcess() {
    std::vector<HWND> found;
    ::EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

HWND FindWebPageMessageBox() {
    const std::vector<HWND> dialogs = DialogsOfThisProcess();
    for (const wchar_t* title : {L"来自网页的消息", L"Windows Internet Explorer", L"Microsoft Internet Explorer"}) {
        for (HWND hwnd : dialogs) {
            wchar_t text[64] = {};
            ::GetWindowTextW(hwnd, text, 64);
            if (lstrcmpW(text, title) == 0) return hwnd;
        }
    }
    return nullptr;
}
