// The login window's layered background and the login page stacked on it.
#include "login/LoginBackdrop.h"
#include "res/resource.h"
#include "support/Process.h"

#include <gtest/gtest.h>

namespace {
struct LoginBackground : ::testing::Test {
    LoginBackdrop dialog{nullptr};
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_LOGIN, nullptr)); }
};
}  // namespace

TEST_F(LoginBackground, TakesThePictureSizeAsALayeredWindow) {
    EXPECT_EQ(dialog.m_backgroundWidth, 1055);
    EXPECT_EQ(dialog.m_backgroundHeight, 738);
    const RECT rc = dialog.GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, 1055);
    EXPECT_EQ(rc.bottom - rc.top, 738);
    EXPECT_TRUE(dialog.GetExStyle() & WS_EX_LAYERED);
    EXPECT_EQ(dialog.GetWindowText(), L"QuarnelHalvira");
    EXPECT_TRUE(dialog.GetStyle() & WS_MINIMIZEBOX);
}

TEST_F(LoginBackground, PageFollowsTheBackgroundExactly) {
    ASSERT_NE(dialog.m_dlgLogin.m_hWnd, nullptr);
    EXPECT_EQ(::GetWindow(dialog.m_dlgLogin.m_hWnd, GW_OWNER), dialog.m_hWnd);
    dialog.SetWindowPos(nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT back = dialog.GetWindowRect();
    const RECT page = dialog.m_dlgLogin.GetWindowRect();
    EXPECT_EQ(page.left, 37);
    EXPECT_EQ(page.top, 41);
    EXPECT_EQ(page.right - page.left, back.right - back.left);
    EXPECT_EQ(page.bottom - page.top, back.bottom - back.top);
}

TEST_F(LoginBackground, EnterIsConsumed) {
    MSG enter{dialog.m_hWnd, WM_KEYDOWN, VK_RETURN, 1};
    EXPECT_TRUE(dialog.PreTranslateMessage(&enter));
    PumpMessagesFor(100);
    EXPECT_TRUE(dialog.IsWindow());
}
