// The road walked by a person with the test build (scripts/run --scripted): the scripted
// login page offers its commands as buttons, and they do what the page's script would.
#include "support/DevService.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/LoginPage.h"

#include <gtest/gtest.h>

namespace {
// A child window of `parent` of the class whose text is `text`.
HWND ChildWithText(HWND parent, const wchar_t* className, const std::wstring& text) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == className && WindowText(child) == text) return child;
    }
    return nullptr;
}

class WalkByHand : public LauncherTest {
protected:
    void SetUp() override {
        // The launcher and its game processes inherit this process's environment.
        ::SetEnvironmentVariableW(L"QH_SCRIPTED_BY_HAND", L"1");
        devservice::ResetRequests();
        StartLauncher();
        ::SetEnvironmentVariableW(L"QH_SCRIPTED_BY_HAND", nullptr);
        const std::vector<DWORD> games = WaitForFirstGameProcesses();
        ASSERT_FALSE(games.empty());
        game = games.front();
        page = WaitForLoginPage(game, kPatienceMs);
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"QH_SCRIPTED_BY_HAND", nullptr);
        LauncherTest::TearDown();
    }

    DWORD game = 0;
    HWND page = nullptr;
};
}  // namespace

TEST_F(WalkByHand, TheLoginButtonLogsTheTypedRecordIn) {
    HWND login = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (login = ChildWithText(page, L"Button", L"登录")) != nullptr; }, kPatienceMs));
    for (const wchar_t* label : {L"QQ", L"微博", L"微信", L"最小化", L"打开链接", L"退出"}) {
        EXPECT_NE(ChildWithText(page, L"Button", label), nullptr) << testing::PrintToString(std::wstring(label));
    }
    HWND record = ChildWithText(page, L"Edit", L"s1-alice");
    ASSERT_NE(record, nullptr);
    ::SetWindowTextW(record, L"s2-hand");
    ::SendMessageW(login, BM_CLICK, 0, 0);
    // The game frame joins the main window as its tab, and the login report carries the account.
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND frame = FrameOf(game, main);
            return frame && ::IsWindowVisible(frame);
        },
        kPatienceMs));
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=hand") != std::string::npos; }, kPatienceMs));
}

TEST_F(WalkByHand, TheAuthorisationWindowOffersToFinishTheLogin) {
    HWND qq = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (qq = ChildWithText(page, L"Button", L"QQ")) != nullptr; }, kPatienceMs));
    ::SendMessageW(qq, BM_CLICK, 0, 0);
    HWND auth = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND top : VisibleTopLevelWindowsOf(game)) {
                if (WindowText(top) == L"QQ账号安全登录") auth = top;
            }
            return auth != nullptr;
        },
        kPatienceMs));
    // Its page's "done" sets the bridge's cookie and goes to the callback, which ends it.
    HWND done = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (done = ButtonOfProcess(game, L"完成授权")) != nullptr; }, kPatienceMs));
    ::SendMessageW(done, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(auth); }, kPatienceMs));
    EXPECT_TRUE(ProcessAlive(game));
}
