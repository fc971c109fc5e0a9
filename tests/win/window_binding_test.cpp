// Framework objects are found from their windows, and only from windows of this process.
#include "framework/Wnd.h"
#include "support/Process.h"

#include <gtest/gtest.h>

TEST(WindowBinding, OwnWindowFindsItsObject) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"bound", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    const HWND hwnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(WindowBinding, WindowOfAnotherProcessIsNeverTakenForAnObject) {
    ChildProcess foreign;
    ASSERT_TRUE(foreign.Start(TestsDirectory() + L"\\foreign_window.exe", L""));
    HWND hwnd = nullptr;
    for (int i = 0; i < 200 && !hwnd; ++i) {
        hwnd = ::FindWindowW(L"STATIC", L"QhForeignWindow");
        if (!hwnd) PumpMessagesFor(50);
    }
    ASSERT_NE(hwnd, nullptr);
    ASSERT_NE(::GetPropW(hwnd, L"QuarnelHalvira.CWnd"), nullptr);  // readable from here
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(foreign.WaitForExit(5000));
}
