#include "support/TestParent.h"

#include "base/Handles.h"

TestParent::TestParent(int width, int height) {
    CreateEx(0, nullptr, L"test parent", WS_POPUP, RECT{50, 50, 50 + width, 50 + height}, nullptr, 0);
    // Shown without activation: Wine then leaves it to no window manager, and its end does
    // not wait seconds for one that Xvfb lacks.
    ShowWindow(SW_SHOWNOACTIVATE);
}

LRESULT TestParent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        UniqueBrush brush(::CreateSolidBrush(kBackground));
        const RECT all{0, 0, 4000, 4000};
        ::FillRect(dc, &all, brush.Get());
        return TRUE;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
