#include "support/TestParent.h"

#include "base/Handles.h"

TestParent::TestParent(int width, int height) {
    CreateEx(0, nullptr, L"test parent", WS_POPUP | WS_VISIBLE, RECT{50, 50, 50 + width, 50 + height}, nullptr, 0);
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
