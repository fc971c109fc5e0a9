// The whole road from start to play: the main window starts a game process, its login page
// (the scripted page of the test build) hands over a login, the game frame joins as a tab.
#include "support/DevService.h"
#include "support/Launcher.h"
#include "support/LoginPage.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kAlice = L"双线1服-alice";

class LoginRoad : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        ASSERT_TRUE(launcher.Start(ProductPath(), L"/TovD"));
        main = WaitForMainWindow(launcher.Id(), 20000);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { KillProcessTree(launcher.Id()); }

    // The game process now waiting in its login, and its page (0 / null when none shows).
    DWORD NextLogin(HWND* page) {
        const DWORD game = WaitForNewChildProcess(launcher.Id(), games, 20000);
        *page = game ? WaitForLoginPage(game, 20000) : nullptr;
        if (game) games.push_back(game);
        return game;
    }

    ChildProcess launcher;
    HWND main = nullptr;
    std::vector<DWORD> games;  // game processes seen so far, oldest first
};
}  // namespace

TEST_F(LoginRoad, LoadGameOnTheLoginPageOpensTheTab) {
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, LoadGameAddress(kAlice, L"1"));

    // The frame joins the main window, which fills the work area.
    ASSERT_TRUE(WaitUntil([&] { return FrameOf(game, main) != nullptr; }, 20000));
    RECT work{}, rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            ::GetWindowRect(main, &rc);
            return rc.right - rc.left == work.right - work.left;
        },
        10000));
    // Once its page has loaded the frame fills the game area.
    HWND frame = FrameOf(game, main);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const RECT f = RectInParent(frame);
            RECT client{};
            ::GetClientRect(main, &client);
            return ::IsWindowVisible(frame) && f.left == 4 && f.top == 30 && f.right == client.right - 4 &&
                   f.bottom == client.bottom - 4;
        },
        10000));
    // The login report went out with the account.
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=alice&index=1") != std::string::npos; }, 5000));
    // The same record cannot log in twice.
    EXPECT_EQ(SendLoginRecord(main, kAlice), 0);
}

TEST_F(LoginRoad, ExitGameOnTheFirstLoginEndsTheProgram) {
    HWND page = nullptr;
    NextLogin(&page);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, L"app://exitgame");
    EXPECT_TRUE(launcher.WaitForExit(20000));
}

TEST_F(LoginRoad, DuplicateLoginShowsTheMessageAndEndsThatProcess) {
    ASSERT_EQ(SendLoginRecord(main, kAlice), 1);  // already open in this window
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    // The login window carries the same title as the box: tell them apart.
    HWND loginWindow = ::GetWindow(::GetAncestor(page, GA_ROOT), GW_OWNER);
    ASSERT_NE(loginWindow, nullptr);
    PageNavigates(page, LoadGameAddress(kAlice, L"1"));
    HWND box = WaitForMessageBox(game, loginWindow, 10000);
    ASSERT_NE(box, nullptr);
    const std::vector<std::wstring> texts = ChildTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"账号 alice 已在 双线1服 登录，同一账号不能在一服重复登录"), texts.end());
    ClickButton(box, L"确定");
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(game); }, 10000));
}
