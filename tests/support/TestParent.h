// A plain framework window whose background is one known colour, to host controls in tests.
#pragma once
#include "framework/Wnd.h"

class TestParent : public CWnd {
public:
    static constexpr COLORREF kBackground = RGB(10, 20, 30);
    explicit TestParent(int width = 300, int height = 200);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
