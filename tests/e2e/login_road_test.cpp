// The whole road from start to play: the main window starts a game process, its login page
// (the scripted page of the test build) hands over a login, the game frame joins as a tab;
// further accounts come through "登录其他账号", each in a game process of its own.
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/LoginPage.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kAlice = L"双线1服-alice";
const std::wstring kBob = L"双线2服-bob";

// Middle-clicks the tab and returns the close question it asks, answering 否 so the tab stays.
std::wstring CloseQuestionOfTab(DWORD launcherPid, HWND main, int index) {
    ::PostMessageW(main, WM_MBUTTONUP, 0, MAKELPARAM(120 + 189 * index + 50, 12));
    HWND box = WaitForMessageBox(launcherPid, main, kPatienceMs);
    if (!box) return L"";
    std::wstring question;
    for (const std::wstring& text : ChildTexts(box)) {
        if (text.rfind(L"确定要退出账号", 0) == 0) question = text;
    }
    ClickButton(box, L"否");
    WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, kPatienceMs);
    return question;
}

class LoginRoad : public LauncherTest {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        StartLauncher();
    }

    DWORD LogInFirstAccount() { return LauncherTest::LogInFirstAccount(kAlice, L"1"); }

    // The window carries on with only the first account's tab: nothing asks, nothing closes.
    void ExpectOnlyTheFirstTabRemains(DWORD first) {
        PumpMessagesFor(1000);
        EXPECT_TRUE(ProcessAlive(launcher.Id()));
        EXPECT_TRUE(::IsWindowVisible(main));
        EXPECT_TRUE(::IsWindowEnabled(main));
        EXPECT_EQ(VisibleTopLevelWindowsOf(launcher.Id()), std::vector<HWND>{main});  // no close question
        HWND frame = FrameOf(first, main);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(::IsWindowVisible(frame));
        EXPECT_TRUE(ProcessAlive(first));
        // One tab: the window's minimum width is the strip's for one tab.
        ::SetWindowPos(main, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(WaitUntil(
            [&] {
                RECT rc{};
                ::GetWindowRect(main, &rc);
                return rc.right - rc.left == 483 + 189;
            },
            kPatienceMs));
    }
};
}  // namespace

TEST_F(LoginRoad, LoadGameOnTheLoginPageOpensTheTab) {
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, LoadGameAddress(kAlice, L"1"));

    // The frame joins the main window, which fills the work area.
    ASSERT_TRUE(WaitUntil([&] { return FrameOf(game, main) != nullptr; }, kPatienceMs));
    RECT work{}, rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            ::GetWindowRect(main, &rc);
            return rc.right - rc.left == work.right - work.left;
        },
        kPatienceMs));
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
        kPatienceMs))
        << "frame " << DescribePlacement(frame) << " in a client of " << DescribePlacement(main);
    // The login report went out with the account.
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=alice&index=1") != std::string::npos; }, kPatienceMs));
    // The same record cannot log in twice.
    EXPECT_EQ(SendLoginRecord(main, kAlice), 0);
}

TEST_F(LoginRoad, ExitGameOnTheFirstLoginEndsTheProgram) {
    HWND page = nullptr;
    NextLogin(&page);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, L"app://exitgame");
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
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
    HWND box = WaitForMessageBox(game, loginWindow, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"账号 alice 已在 双线1服 登录，同一账号不能在一服重复登录"));
    ClickButton(box, L"确定");
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(game); }, kPatienceMs));
}

TEST_F(LoginRoad, MinimizeOnTheFirstLoginKeepsTheLoginGoing) {
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    HWND loginWindow = ::GetWindow(::GetAncestor(page, GA_ROOT), GW_OWNER);
    ASSERT_NE(loginWindow, nullptr);
    PageNavigates(page, L"app://minimize");
    // With User Account Control the login window goes down, without it the main window.
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(main) || ::IsIconic(loginWindow); }, kPatienceMs));
    PumpMessagesFor(1000);
    EXPECT_TRUE(ProcessAlive(game));
    EXPECT_TRUE(ProcessAlive(launcher.Id()));
    // The same login still goes through afterwards.
    EXPECT_TRUE(LogIn(game, page, kAlice, L"1"));
}

TEST_F(LoginRoad, SecondAccountThroughAddAccountBecomesTheSecondTab) {
    const DWORD first = LogInFirstAccount();
    ASSERT_NE(first, 0u);
    HWND page = nullptr;
    const DWORD second = AddAccountInThisWindow(&page);
    ASSERT_NE(second, 0u);
    ASSERT_NE(page, nullptr);
    EXPECT_NE(second, first);
    // Its login window waits under the main window, as the first one did.
    HWND loginWindow = ::GetWindow(::GetAncestor(page, GA_ROOT), GW_OWNER);
    ASSERT_NE(loginWindow, nullptr);
    EXPECT_EQ(::GetWindow(loginWindow, GW_OWNER), main);

    ASSERT_TRUE(LogIn(second, page, kBob, L"2"));
    HWND firstFrame = FrameOf(first, main);
    HWND secondFrame = FrameOf(second, main);
    ASSERT_NE(firstFrame, nullptr);
    ASSERT_NE(secondFrame, nullptr);
    EXPECT_NE(firstFrame, secondFrame);
    EXPECT_FALSE(::IsWindowVisible(firstFrame));
    // The new tab fills the game area once its page has loaded.
    EXPECT_TRUE(WaitUntil(
        [&] {
            const RECT f = RectInParent(secondFrame);
            RECT client{};
            ::GetClientRect(main, &client);
            return f.left == 4 && f.top == 30 && f.right == client.right - 4 && f.bottom == client.bottom - 4;
        },
        kPatienceMs));
    EXPECT_TRUE(ProcessAlive(first));
    EXPECT_FALSE(::IsWindow(loginWindow));  // the login is over

    // Both accounts are open, in the order they logged in.
    EXPECT_EQ(SendLoginRecord(main, kAlice), 0);
    EXPECT_EQ(SendLoginRecord(main, kBob), 0);
    EXPECT_EQ(CloseQuestionOfTab(launcher.Id(), main, 0), L"确定要退出账号：" + kAlice + L" ?");
    EXPECT_EQ(CloseQuestionOfTab(launcher.Id(), main, 1), L"确定要退出账号：" + kBob + L" ?");
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=bob&index=2") != std::string::npos; }, kPatienceMs));
    // Answering 否 kept both tabs; the second is still the one shown.
    EXPECT_TRUE(::IsWindowVisible(secondFrame));
    EXPECT_FALSE(::IsWindowVisible(firstFrame));
}

TEST_F(LoginRoad, MinimizeOnASecondTabsLoginEndsOnlyThatLogin) {
    const DWORD first = LogInFirstAccount();
    ASSERT_NE(first, 0u);
    HWND page = nullptr;
    const DWORD second = AddAccountInThisWindow(&page);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, L"app://minimize");
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(second); }, kPatienceMs));
    EXPECT_FALSE(::IsIconic(main));  // a later tab's login never minimises the window
    ExpectOnlyTheFirstTabRemains(first);
    // The window still takes another account in a new game process.
    HWND nextPage = nullptr;
    const DWORD next = AddAccountInThisWindow(&nextPage);
    EXPECT_NE(next, 0u);
    EXPECT_NE(nextPage, nullptr);
}

TEST_F(LoginRoad, ExitGameOnASecondTabsLoginEndsOnlyThatProcess) {
    const DWORD first = LogInFirstAccount();
    ASSERT_NE(first, 0u);
    HWND page = nullptr;
    const DWORD second = AddAccountInThisWindow(&page);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, L"app://exitgame");
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(second); }, kPatienceMs));
    ExpectOnlyTheFirstTabRemains(first);
}

namespace {
// A page on the dev service under another host name: localhost is not an operator domain.
std::wstring PageOn(const wchar_t* host, const wchar_t* path) {
    return std::wstring(L"http://") + host + L":" + std::to_wstring(devservice::Port()) + path;
}
}  // namespace

TEST_F(LoginRoad, InnerFramesSpeakForThePageOnlyOnTheOperatorsHosts) {
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    // An advertisement of another site, in a frame of the login page, tries to log in...
    FrameNavigates(page, PageOn(L"localhost", L"/ad.htm"), LoadGameAddress(kAlice, L"1"));
    // ...then a frame of the operator's own page does (the page plays them in this order).
    FrameNavigates(page, PageOn(L"127.0.0.1", L"/yxtov/frame.htm"), LoadGameAddress(kBob, L"2"));
    ASSERT_TRUE(WaitUntil(
        [&] {
            HWND frame = FrameOf(game, main);
            return frame && ::IsWindowVisible(frame);
        },
        kPatienceMs));
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=bob&index=") != std::string::npos; }, kPatienceMs));
    EXPECT_EQ(devservice::Requests().find("uid=alice"), std::string::npos);
    EXPECT_EQ(SendLoginRecord(main, kBob), 0);  // bob's is the tab that opened
}

TEST_F(LoginRoad, ExitGameFromAForeignInnerFrameIsIgnoredTheTopLevelIsObeyed) {
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    FrameNavigates(page, PageOn(L"localhost", L"/ad.htm"), L"app://exitgame");
    PageNavigates(page, LoadGameAddress(kAlice, L"1"));
    // Had the frame's exit been obeyed, the login would have ended before the page's own.
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND frame = FrameOf(game, main);
            return frame && ::IsWindowVisible(frame);
        },
        kPatienceMs));
    EXPECT_TRUE(ProcessAlive(launcher.Id()));
    EXPECT_EQ(SendLoginRecord(main, kAlice), 0);
}

TEST_F(LoginRoad, CommandsCountOnlyOverTheOperatorsPageAndOnlyForItsGamePages) {
    HWND page = nullptr;
    const DWORD game = NextLogin(&page);
    ASSERT_NE(page, nullptr);
    // A game address that is no web page of the operator's: a file, a share (which would also
    // hand the player's Windows credentials to its host), a script, another site.
    const std::wstring alice = LoadGameAddress(kAlice, L"1");
    const std::wstring command = alice.substr(0, alice.find(L'|') + 1);
    for (const std::wstring& address : {std::wstring(L"file:///C:/windows/win.ini"),
                                        std::wstring(L"\\\\evil.example\\share\\game.htm"),
                                        std::wstring(L"javascript:alert(1)"), PageOn(L"localhost", L"/game/play")}) {
        PageNavigates(page, command + address);
    }
    // Over another site's page even a good command is not obeyed; back on the operator's, it is.
    PageNavigates(page, PageOn(L"localhost", L"/ad.htm"));
    PageNavigates(page, alice);
    PageNavigates(page, PageOn(L"127.0.0.1", L"/yxtov/wd?wx=1"));
    PageNavigates(page, LoadGameAddress(kBob, L"2"));
    ASSERT_TRUE(WaitForShownFrame(game, main, kPatienceMs));
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=bob&index=") != std::string::npos; }, kPatienceMs));
    EXPECT_EQ(devservice::Requests().find("uid=alice"), std::string::npos);
    EXPECT_EQ(SendLoginRecord(main, kBob), 0);  // bob's is the tab that opened
}
