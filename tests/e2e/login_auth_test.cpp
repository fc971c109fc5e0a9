// A QQ, Weibo or WeChat login: the login page's navigation to the login bridge opens the
// authorisation window of the game process, and the bridge's callback with its "Pauth"
// cookie closes it again.
#include "framework/ScriptedBrowserProtocol.h"
#include "support/DevService.h"
#include "support/FrameHost.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/LoginPage.h"

#include <gtest/gtest.h>

namespace {
std::wstring Bridge(const std::wstring& path) {
    return L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + path;
}

LRESULT Completed(HWND browser) { return QueryScriptedBrowser(browser, kQueryCompletedNavigations); }

class LoginAuth : public LauncherTest {
protected:
    void SetUp() override {
        StartLauncher();
        const std::vector<DWORD> games = WaitForFirstGameProcesses();
        ASSERT_FALSE(games.empty());
        game = games.front();
        loginPage = WaitForLoginPage(game, kPatienceMs);
        ASSERT_NE(loginPage, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return Completed(loginPage) == 1; }, kPatienceMs));  // its start page
    }
    // The login page goes to a bridge redirect; the authorisation window titled `title`
    // shows up instead.
    HWND OpenAuthorisation(const std::wstring& redirect, const std::wstring& title) {
        PageNavigates(loginPage, redirect);
        HWND window = nullptr;
        WaitUntil([&] { return (window = VisibleWindowTitled(game, title)) != nullptr; }, kPatienceMs);
        return window;
    }

    DWORD game = 0;
    HWND loginPage = nullptr;
};
}  // namespace

TEST_F(LoginAuth, QqRedirectOpensTheWindowAndItsCallbackWithPauthClosesIt) {
    HWND auth = OpenAuthorisation(Bridge(L"/qzone/redirectToAuthorize.do?params=tov"), L"QQ账号安全登录");
    ASSERT_NE(auth, nullptr);
    // The login page itself never left its page.
    EXPECT_EQ(Completed(loginPage), 1);
    HWND authPage = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (authPage = BrowserOwnedBy(game, auth)) != nullptr; }, kPatienceMs));
    RECT frame{}, page{};
    ::GetWindowRect(auth, &frame);
    ::GetWindowRect(::GetAncestor(authPage, GA_ROOT), &page);
    EXPECT_EQ(frame.right - frame.left, 790);
    EXPECT_EQ(frame.bottom - frame.top, 525);
    EXPECT_EQ(page.left, frame.left + 4);
    EXPECT_EQ(page.top, frame.top + 30);

    // The callback without the cookie is just a page.
    const std::wstring callback = Bridge(L"/qzone/callback.do?code=7");
    const LRESULT before = Completed(authPage);
    PageNavigates(authPage, callback);
    ASSERT_TRUE(WaitUntil([&] { return Completed(authPage) > before; }, kPatienceMs));
    PumpMessagesFor(300);
    EXPECT_TRUE(::IsWindowVisible(auth));

    // The bridge's answer sets the cookie; the next callback ends the authorisation.
    ASSERT_TRUE(SendPageCommand(authPage, kScriptSetCookie, callback + L"\nPauth=e2e-token"));
    PageNavigates(authPage, callback);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(auth); }, kPatienceMs));
    EXPECT_FALSE(::IsWindowVisible(::GetAncestor(authPage, GA_ROOT)));
    // The login window is still there for the page's own "loadgame".
    EXPECT_TRUE(::IsWindowVisible(::GetAncestor(loginPage, GA_ROOT)));
    EXPECT_TRUE(ProcessAlive(game));
}

TEST_F(LoginAuth, EachProviderHasItsTitleAndANewRedirectReplacesTheWindow) {
    HWND weibo = OpenAuthorisation(Bridge(L"/weibo/redirectToAuthorize.do?params=a"), L"新浪微博账号安全登录");
    ASSERT_NE(weibo, nullptr);
    HWND weixin = OpenAuthorisation(Bridge(L"/weixin/redirectToAuthorize.do?params"), L"微信账号安全登录");
    ASSERT_NE(weixin, nullptr);
    EXPECT_FALSE(::IsWindow(weibo));
    EXPECT_EQ(Completed(loginPage), 1);
}
