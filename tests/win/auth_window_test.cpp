// The external-account authorisation window: its skinned frame with the page kept inside,
// and the bridge callback with the "Pauth" cookie closing it.
#include "base/Config.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "login/AuthorizationWindow.h"
#include "res/resource.h"
#include "support/Process.h"

#include <wininet.h>
#include <gtest/gtest.h>

namespace {
std::wstring Bridge(const wchar_t* path) { return std::wstring(L"http://") + config::kBridgeHost + path; }

struct AuthWindow : ::testing::Test {
    AuthorizationWindow frame;

    void SetUp() override {
        frame.m_htmlAuth.m_strAuthUrl = Bridge(L"/qzone/redirectToAuthorize.do?params=tov");
        ASSERT_TRUE(frame.Create(IDD_LOGIN, nullptr));
    }
    void Show() {
        frame.ShowWindow(SW_SHOW);
        frame.CenterWindow();
        ASSERT_TRUE(frame.m_htmlAuth.IsWindow());
        ASSERT_TRUE(WaitUntil([&] { return Completed() >= 1; }, 5000));
    }
    HWND PageBrowser() const {
        Browser* browser = frame.m_htmlAuth.GetBrowser();
        return browser ? browser->Window() : nullptr;
    }
    LRESULT Completed() const {
        return ::SendMessageW(PageBrowser(), ::RegisterWindowMessageW(kScriptedBrowserQueryMessage),
                              kQueryCompletedNavigations, 0);
    }
    // The page goes somewhere and that navigation has run (or was refused).
    void PageNavigates(const std::wstring& url) {
        frame.m_htmlAuth.Navigate(url);
        PumpMessagesFor(100);
    }
};
}  // namespace

TEST_F(AuthWindow, FrameHoldsThePageInsideItsBorderAndBelowItsCaption) {
    EXPECT_EQ(frame.GetWindowText(), L"QQ账号安全登录");
    const RECT rc = frame.GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, 790);
    EXPECT_EQ(rc.bottom - rc.top, 525);
    EXPECT_FALSE(frame.m_htmlAuth.IsWindow());  // made when the frame is first shown

    frame.SetTitle(L"新浪微博账号安全登录");
    EXPECT_EQ(frame.GetWindowText(), L"新浪微博账号安全登录");
    Show();
    EXPECT_EQ(::GetWindow(frame.m_htmlAuth.m_hWnd, GW_OWNER), frame.m_hWnd);
    EXPECT_TRUE(frame.m_htmlAuth.IsWindowVisible());
    // The page loaded the redirect it was given.
    EXPECT_EQ(frame.m_htmlAuth.m_strCurrentUrl, frame.m_htmlAuth.m_strAuthUrl);

    for (const POINT to : {POINT{33, 47}, POINT{-20, 5}}) {
        frame.SetWindowPos(nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT page = frame.m_htmlAuth.GetWindowRect();
        EXPECT_EQ(page.left, to.x + 4);
        EXPECT_EQ(page.top, to.y + 30);
        EXPECT_EQ(page.right - page.left, 790 - 8);
        EXPECT_EQ(page.bottom - page.top, 525 - 34);
    }
    // A resize alone keeps the page inside too.
    frame.SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    const RECT now = frame.GetWindowRect();
    const RECT page = frame.m_htmlAuth.GetWindowRect();
    EXPECT_EQ(page.left, now.left + 4);
    EXPECT_EQ(page.right, now.right - 4);
    EXPECT_EQ(page.bottom, now.bottom - 4);

    frame.ShowWindow(SW_HIDE);
    EXPECT_FALSE(frame.m_htmlAuth.IsWindowVisible());
}

TEST_F(AuthWindow, CallbackClosesOnlyOnceThePauthCookieIsSet) {
    Show();
    const std::wstring callback = Bridge(L"/qzone/callback.do?code=42");
    PageNavigates(callback);
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(frame.m_htmlAuth.m_strCurrentUrl, callback);  // an ordinary page without the cookie

    // A message box the page raised is cleared away once the authorisation is over.
    HWND box = ::CreateWindowExW(0, L"#32770", L"box", WS_POPUP, 0, 0, 10, 10, frame.m_htmlAuth.m_hWnd, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(::InternetSetCookieW(callback.c_str(), nullptr, L"Pauth=token"));
    PageNavigates(callback + L"&again=1");
    EXPECT_TRUE(WaitUntil([&] { return !frame.IsWindowVisible() && !frame.m_htmlAuth.IsWindowVisible(); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 5000));
    // The objects stay; the login page decides when they go.
    EXPECT_TRUE(frame.IsWindow());
    ::InternetSetCookieW(callback.c_str(), nullptr, L"Pauth=; expires=Thu, 01-Jan-1970 00:00:01 GMT");
}

TEST_F(AuthWindow, WeiboCallbackCountsWhateverFollowsState) {
    Show();
    const std::wstring callback = Bridge(L"/weibo/callback.do?stateless=1");
    ASSERT_TRUE(::InternetSetCookieW(callback.c_str(), nullptr, L"Pauth=w"));
    PageNavigates(Bridge(L"/weibo/other.do"));  // not a callback: stays
    EXPECT_TRUE(frame.IsWindowVisible());
    PageNavigates(callback);
    EXPECT_TRUE(WaitUntil([&] { return !frame.IsWindowVisible(); }, 5000));
    ::InternetSetCookieW(callback.c_str(), nullptr, L"Pauth=; expires=Thu, 01-Jan-1970 00:00:01 GMT");
}

TEST_F(AuthWindow, QqAuthorizePageIsRefusedWhileHidden) {
    Show();
    const std::wstring authorize = L"https://graph.qq.com/oauth2.0/authorize?client_id=1";
    frame.ShowWindow(SW_HIDE);
    PumpMessagesFor(100);
    const LRESULT before = Completed();
    PageNavigates(authorize);
    EXPECT_EQ(Completed(), before);
    frame.ShowWindow(SW_SHOW);
    PumpMessagesFor(100);
    PageNavigates(authorize);
    EXPECT_EQ(frame.m_htmlAuth.m_strCurrentUrl, authorize);
}

TEST_F(AuthWindow, EnterAndEscAreConsumedCloseButtonEndsBoth) {
    Show();
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG down{PageBrowser(), WM_KEYDOWN, key, 1};
        EXPECT_TRUE(frame.m_htmlAuth.PreTranslateMessage(&down));
        MSG onFrame{frame.m_hWnd, WM_KEYDOWN, key, 1};
        EXPECT_TRUE(frame.PreTranslateMessage(&onFrame));
    }
    MSG other{PageBrowser(), WM_KEYDOWN, 'A', 1};
    EXPECT_FALSE(frame.PreTranslateMessage(&other));

    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !frame.IsWindow() && !frame.m_htmlAuth.IsWindow(); }, 5000));
}

TEST_F(AuthWindow, ClosesThisProcesssWebPageDialogsButNoOtherProgramsOnes) {
    constexpr wchar_t kTrident[] = L"Internet Explorer_TridentDlgFrame";
    // Another program's dialog, top-most: the first of its class on the desktop.
    ChildProcess other;
    ASSERT_TRUE(other.Start(TestsDirectory() + L"\\foreign_trident_dialog.exe", L""));
    HWND theirs = WaitForWindow(other.Id(), kTrident, L"QhForeignTrident", 20000);
    ASSERT_NE(theirs, nullptr);

    static const ATOM ownClass = [&] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kTrident;
        return ::RegisterClassW(&wc);
    }();
    ASSERT_NE(ownClass, 0);
    HWND ours = ::CreateWindowExW(0, kTrident, L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(ours, nullptr);

    Show();
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(ours); }, 20000));
    if (::IsWindow(ours)) ::DestroyWindow(ours);
    // Whatever was posted to the other program before this has arrived once this has.
    ASSERT_TRUE(::PostMessageW(theirs, WM_APP, 0, 0));
    DWORD_PTR answer = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ::SendMessageTimeoutW(theirs, WM_APP + 1, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) && answer != 0;
        },
        20000));
    EXPECT_EQ(answer, 1u) << "the other program's dialog was told to close";
}
