#include "gameview/WebPageBox.h"

#include "base/OwnWindows.h"

#include <vector>

HWND FindWebPageMessageBox() {
    const std::vector<HWND> dialogs = OwnTopLevelWindows(L"#32770");
    for (const wchar_t* title : {L"来自网页的消息", L"Windows Internet Explorer", L"Microsoft Internet Explorer"}) {
        for (HWND hwnd : dialogs) {
            wchar_t text[64] = {};
            ::GetWindowTextW(hwnd, text, 64);
            if (lstrcmpW(text, title) == 0) return hwnd;
        }
    }
    return nullptr;
}
