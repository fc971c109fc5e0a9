// The login page on its own: hidden until its page arrives, colour-keyed, page mouse events
// swallowed without dragging, the bridge's redirects opening the authorisation window, and
// commands doing nothing in the main window's preload page.
#include "framework/ScriptedBrowserProtocol.h"
#include "login/LoginPageDialog.h"
#include "res/resource.h"
#include "support/Launcher.h"
#include "support/Process.h"

#include "base/Config.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
struct Element : PageElement {
    std::wstring className;
    std::wstring tagName;
    std::wstring ClassName() const override { return className; }
    std::wstring TagName() const override { return tagName; }
    std::optional<RECT> OffsetRect() const override { return RECT{0, 0, 50, 20}; }
    bool IsDisabled() const override { return false; }
    bool SetBackgroundPositionX(long) override { return true; }
    void Click() override {}
};

std::shared_ptr<Element> MakeElement(const wchar_t* className, const wchar_t* tag) {
    auto e = std::make_shared<Element>();
    e->className = className;
    e->tagName = tag;
    return e;
}

std::wstring Bridge(const wchar_t* path) { return std::wstring(L"http://") + config::kBridgeHost + path; }

// The login page of the main window's preload (no login window behind it).
struct LoginPage : ::testing::Test {
    LoginPageDialog page{L"http://127.0.0.1/yxtov/wd?wx=1"};
    void SetUp() override { ASSERT_TRUE(page.Create(IDD_LOGIN, nullptr)); }
    bool Before(const std::wstring& url) {
        bool cancel = false;
        static_cast<BrowserEvents&>(page).OnBeforeNavigate2(url, cancel);
        return cancel;
    }
    // Its first page (the operator's) has arrived.
    void Arrived() { ASSERT_TRUE(WaitUntil([&] { return page.IsWindowVisible() != FALSE; }, 5000)); }
    // The page now shows `url`, as after a navigation the page made itself.
    void NowShows(const std::wstring& url) {
        ASSERT_TRUE(page.Navigate(url));
        ASSERT_TRUE(WaitUntil([&] { return page.GetBrowser()->LocationUrl() == url; }, 5000));
    }
};
}  // namespace

TEST_F(LoginPage, StaysHiddenUntilItsPageArrivesThenFillsItsWindow) {
    EXPECT_FALSE(page.IsWindowVisible());
    EXPECT_TRUE(page.GetExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(page.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(page.GetExStyle() & WS_EX_APPWINDOW);
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(page.m_hWnd, &key, nullptr, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_TRUE(flags & LWA_COLORKEY);

    ASSERT_TRUE(WaitUntil([&] { return page.IsWindowVisible() != FALSE; }, 5000));
    EXPECT_EQ(page.m_strCurrentUrl, L"http://127.0.0.1/yxtov/wd?wx=1");
    RECT client = page.GetClientRect();
    RECT browser{};
    ::GetWindowRect(page.GetBrowser()->Window(), &browser);
    EXPECT_EQ(browser.right - browser.left, client.right);
    EXPECT_EQ(browser.bottom - browser.top, client.bottom);
}

TEST_F(LoginPage, MouseOnThePageIsSwallowedWithoutDragOrButtons) {
    for (const wchar_t* tag : {L"BODY", L"td", L"DIV"}) {
        for (long event : {dom_event::kMouseDown, dom_event::kMouseUp, dom_event::kMouseMove}) {
            EXPECT_TRUE(page.OnPageEvent(event, MakeElement(L"", tag))) << tag;
        }
        // The login page has no page-level context-menu entry (the host still suppresses it).
        EXPECT_FALSE(page.OnPageEvent(dom_event::kContextMenu, MakeElement(L"", tag)));
    }
    // No "button" behaviour: a press takes no capture.
    EXPECT_FALSE(page.OnPageEvent(dom_event::kMouseDown, MakeElement(L"button", L"IMG")));
    EXPECT_NE(::GetCapture(), page.m_hWnd);
    EXPECT_FALSE(page.OnPageEvent(dom_event::kMouseDown, MakeElement(L"", L"SPAN")));
}

TEST_F(LoginPage, KeysThatWouldCancelOrReloadAreConsumed) {
    for (WPARAM key : {VK_ESCAPE, VK_F5}) {
        MSG down{page.m_hWnd, WM_KEYDOWN, key, 1};
        EXPECT_TRUE(page.PreTranslateMessage(&down));
    }
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(page.IsWindow());
}

TEST_F(LoginPage, CommandsAreNeverLoadedAndDoNothingInThePreload) {
    for (const wchar_t* url : {L"app://loadgame/%E5%8F%8C-a|http://x/", L"app://exitgame", L"app://minimize",
                               L"app://ExitGame", L"app:", L"app://loadgame/%|", L"app://loadgame/"}) {
        EXPECT_TRUE(Before(url)) << url;
    }
    EXPECT_TRUE(page.IsWindow());
    EXPECT_FALSE(Before(L"APP://exitgame"));
    EXPECT_FALSE(Before(L"http://127.0.0.1/yxtov/wd?wx=2"));
}

TEST_F(LoginPage, BridgeRedirectsOpenTheAuthorisationWindowInstead) {
    Arrived();
    EXPECT_TRUE(Before(Bridge(L"/qzone/redirectToAuthorize.do?params=1")));
    ASSERT_NE(page.m_pAuthDlg, nullptr);
    EXPECT_EQ(page.m_pAuthDlg->GetWindowText(), L"QQ账号安全登录");
    EXPECT_TRUE(page.m_pAuthDlg->IsWindowVisible());
    EXPECT_EQ(::GetWindow(page.m_pAuthDlg->m_hWnd, GW_OWNER), page.m_hWnd);
    EXPECT_EQ(page.m_pAuthDlg->m_htmlAuth.m_strAuthUrl, Bridge(L"/qzone/redirectToAuthorize.do?params=1"));
    const HWND first = page.m_pAuthDlg->m_hWnd;

    EXPECT_TRUE(Before(Bridge(L"/weixin/redirectToAuthorize.do?params")));
    ASSERT_NE(page.m_pAuthDlg, nullptr);
    EXPECT_EQ(page.m_pAuthDlg->GetWindowText(), L"微信账号安全登录");
    EXPECT_FALSE(::IsWindow(first));  // the previous one is gone

    // Elsewhere, or on the bridge but not a redirect: an ordinary navigation.
    EXPECT_FALSE(Before(Bridge(L"/qzone/callback.do?code=1")));
    EXPECT_FALSE(Before(L"http://elsewhere.example/qzone/redirectToAuthorize.do?params=1"));
}

TEST_F(LoginPage, NoAuthorisationWindowForALookalikeOrOverAnotherSitesPage) {
    Arrived();
    // An address that only holds the redirect loads as any page would, in the login page.
    EXPECT_FALSE(Before(L"http://elsewhere.example/?next=" + Bridge(L"/qzone/redirectToAuthorize.do?params=1")));
    EXPECT_EQ(page.m_pAuthDlg, nullptr);
    // The real redirect, asked for while another site's page is shown: nothing opens.
    NowShows(L"http://localhost/ad.htm");
    EXPECT_TRUE(Before(Bridge(L"/qzone/redirectToAuthorize.do?params=1")));
    EXPECT_EQ(page.m_pAuthDlg, nullptr);
}

TEST_F(LoginPage, OpenUrlsStartsNoProgramOnlyWebAddressesReachTheShell) {
    Arrived();
    const std::wstring program = TestsDirectory() + L"\\minimal_dialog.exe";
    const std::vector<DWORD> before = ChildProcessesOf(::GetCurrentProcessId());
    // Nor does the preload page hand even a web address to the shell (which would start the
    // system's browser).
    for (const std::wstring& url : {L"app://openurls|" + program, L"app://openurls|\"" + program + L"\"",
                                    std::wstring(L"app://openurls|http://127.0.0.1/notice/detail.htm")}) {
        EXPECT_TRUE(Before(url));  // the shell starts a program before it returns
    }
    for (DWORD pid : ChildProcessesOf(::GetCurrentProcessId())) {
        if (std::find(before.begin(), before.end(), pid) != before.end()) continue;
        ADD_FAILURE() << "the page started a program";
        KillProcessTree(pid);
    }
}
