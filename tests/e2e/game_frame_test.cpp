// The game frame of a "/gmhall" process, driven from a host window of this test through
// the test build's scripted browser.
#include "base/Messages.h"
#include "features/HotKeyStore.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "framework/Wnd.h"
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/FrameHost.h"
#include "support/Launcher.h"
#include "support/Process.h"
#include "support/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr LPARAM kF5KeyData = 0x003F0001;  // repeat 1, scan code of F5

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::wstring DevUrl(const std::wstring& path) {
    return L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + path;
}

// A "/gmhall" game process joined to a host of this test.
class GameFrameTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_game.Start(ProductPath(), L"/gmhall " + m_host.Argument()));
        m_frame = m_host.WaitForFrame(kPatienceMs);
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(WaitUntil([this] { return (m_browser = FindScriptedBrowser(m_frame)) != nullptr; }, kPatienceMs));
        // Shown in the game area once the page has loaded.
        ASSERT_TRUE(WaitUntil([this] { return ::IsWindowVisible(m_frame) != FALSE; }, kPatienceMs));
    }

    LRESULT Refreshes() const { return QueryScriptedBrowser(m_browser, kQueryRefreshCount); }
    void PostF5(LPARAM data) const { ::PostMessageW(m_browser, WM_KEYDOWN, VK_F5, data); }

    FrameHost m_host;
    ChildProcess m_game;
    HWND m_frame = nullptr;
    HWND m_browser = nullptr;
};
}  // namespace

TEST_F(GameFrameTest, HallJoinsTheHostAsABorderlessChildAndFillsTheGameArea) {
    ASSERT_EQ(m_host.Registrations().size(), 1u);
    EXPECT_EQ(m_host.Registrations()[0].hall, 1);
    EXPECT_EQ(::GetAncestor(m_frame, GA_PARENT), m_host.Handle());
    const LONG_PTR style = ::GetWindowLongPtrW(m_frame, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_frame, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & (WS_EX_APPWINDOW | WS_EX_CLIENTEDGE));
    EXPECT_EQ(WindowText(m_frame), L"QuarnelHalvira");
    // The frame is bound to an object in its own process; here that address means nothing.
    EXPECT_NE(::GetPropW(m_frame, L"QuarnelHalvira.CWnd"), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_frame), nullptr);
    EXPECT_TRUE(SameRect(RectInParent(m_frame), m_host.GameArea()));

    // The view: the framework's frame-or-view class, no title, the browser inside it.
    HWND view = ::GetParent(m_browser);
    EXPECT_EQ(::GetParent(view), m_frame);
    EXPECT_EQ(ClassName(view), L"AfxFrameOrView90su");
    EXPECT_EQ(WindowText(view), L"");
    EXPECT_FALSE(::GetWindowLongPtrW(view, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    // The hall keeps the browser's own border and scroll bars; script errors stay silent.
    EXPECT_EQ(QueryScriptedBrowser(m_browser, kQueryHostFlags), 0);
    EXPECT_EQ(QueryScriptedBrowser(m_browser, kQuerySilent), 1);
    EXPECT_EQ(QueryScriptedBrowser(m_browser, kQueryCompletedNavigations), 1);
}

TEST_F(GameFrameTest, EveryCompletedNavigationPlacesTheFrameAgain) {
    ::SetWindowPos(m_host.Handle(), nullptr, 0, 0, 720, 520, SWP_NOZORDER | SWP_NOMOVE);
    ::ShowWindow(m_frame, SW_HIDE);
    ASSERT_TRUE(SendPageCommand(m_browser, kScriptNavigate, DevUrl(L"/game/play?server=1")));
    ASSERT_TRUE(WaitUntil([this] { return QueryScriptedBrowser(m_browser, kQueryCompletedNavigations) == 2; }, kPatienceMs));
    EXPECT_TRUE(WaitUntil([this] { return ::IsWindowVisible(m_frame) != FALSE; }, kPatienceMs));
    EXPECT_TRUE(SameRect(RectInParent(m_frame), m_host.GameArea()));
}

TEST_F(GameFrameTest, ClickingTheGameRaisesTheHost) {
    auto above = [](HWND a, HWND b) {
        for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            if (w == a) return true;
            if (w == b) return false;
        }
        return false;
    };
    HWND cover = ::CreateWindowW(L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(cover, nullptr);
    ::SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(above(cover, m_host.Handle()));
    ::PostMessageW(m_frame, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_host.Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_TRUE(WaitUntil([&] { return above(m_host.Handle(), cover); }, kPatienceMs));
    // Raised, not left top-most.
    EXPECT_FALSE(::GetWindowLongPtrW(m_host.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::DestroyWindow(cover);
}

TEST_F(GameFrameTest, TheFrameEndsWithItsHost) {
    m_host.Destroy();
    EXPECT_TRUE(m_game.WaitForExit(kPatienceMs));
}

TEST_F(GameFrameTest, MuteIsAppliedOnTheFirstMessageEvenForSoundOnThenOnlyOnChanges) {
    auto send = [this](WPARAM muted) {
        DWORD_PTR applied = 99;
        ::SendMessageTimeoutW(m_frame, WM_SET_MUTE, muted, 0, SMTO_NORMAL, 5000, &applied);
        return applied;
    };
    EXPECT_EQ(send(0), 1u);
    EXPECT_EQ(send(0), 0u);
    EXPECT_EQ(send(1), 1u);
    EXPECT_EQ(send(1), 0u);
    EXPECT_EQ(send(0), 1u);
    EXPECT_EQ(send(0), 0u);
}

TEST_F(GameFrameTest, F5RefreshesThePageOnlyOncePerPress) {
    PostF5(kF5KeyData);
    ASSERT_TRUE(WaitUntil([this] { return Refreshes() == 1; }, kPatienceMs));
    PostF5(kLauncherMarker);
    ASSERT_TRUE(WaitUntil([this] { return Refreshes() == 2; }, kPatienceMs));
    PumpMessagesFor(200);
    EXPECT_EQ(Refreshes(), 2);
}

TEST_F(GameFrameTest, WithF5AsTheBossKeyOnlyTheLaunchersOwnF5Refreshes) {
    const SettingsFileKept settings(ProductSettingsFile());
    StoreSetting(settings.Path(), L"ShortKey", L"0,116");
    ::PostMessageW(m_frame, WM_RELOAD_HOTKEYS, 0, 0);
    PostF5(kF5KeyData);                      // the player's F5: the host's boss key, no refresh
    PostF5(kLauncherMarker);                 // the host's "刷新 (F5)": refresh
    ASSERT_TRUE(WaitUntil([this] { return Refreshes() == 1; }, kPatienceMs));
    PostF5(kF5KeyData);
    PostF5(kLauncherMarker);
    ASSERT_TRUE(WaitUntil([this] { return Refreshes() == 2; }, kPatienceMs));
    PumpMessagesFor(200);
    EXPECT_EQ(Refreshes(), 2);
}

TEST_F(GameFrameTest, TheWindowSwitchKeyGoesToTheHostUnlessTheLauncherMadeIt) {
    const SettingsFileKept settings(ProductSettingsFile());
    StoreSetting(settings.Path(), L"AltWndKey", L"0,114");  // F3, so no modifier has to be held
    ::PostMessageW(m_frame, WM_RELOAD_HOTKEYS, 0, 0);
    ::PostMessageW(m_browser, WM_KEYDOWN, VK_F3, kLauncherMarker);
    ::PostMessageW(m_browser, WM_KEYDOWN, VK_F3, 0x003D0001);
    ASSERT_TRUE(WaitUntil([this] { return !m_host.Keys().empty(); }, kPatienceMs));
    PumpMessagesFor(200);
    ASSERT_EQ(m_host.Keys().size(), 1u);
    EXPECT_EQ(m_host.Keys()[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m_host.Keys()[0].wParam, static_cast<WPARAM>(VK_F3));
    EXPECT_EQ(m_host.Keys()[0].lParam, 0x003D0001);
}

TEST_F(GameFrameTest, CtrlDOffersThePageAsAFavourite) {
    ASSERT_TRUE(SendPageCommand(m_browser, kScriptSetTitle, L"苍穹之翼 - 双线1服"));
    ::PostMessageW(m_browser, WM_CHAR, 4, 0x00200001);
    HWND dialog = WaitForWindow(m_game.Id(), L"#32770", L"添加收藏", kPatienceMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WindowSays(dialog, L"苍穹之翼 - 双线1服"));
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

TEST_F(GameFrameTest, AWebPageBoxOpenWhileClosingIsRemovedAndTheCloseGoesOn) {
    ASSERT_TRUE(SendPageCommand(m_browser, kScriptAskBeforeLeave, L"确定要离开此页吗？"));
    ::PostMessageW(m_frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Without the removal the page's question would wait for an answer for ever.
    EXPECT_TRUE(m_game.WaitForExit(kPatienceMs));
}

TEST_F(GameFrameTest, ThePageAndTheHostsMessagesSurviveBadInput) {
    COPYDATASTRUCT data{};
    DWORD_PTR result = 0;
    for (ULONG_PTR command : {ULONG_PTR{0}, ULONG_PTR{kScriptNavigate}, ULONG_PTR{0xFFFFFFFF}}) {
        data.dwData = command;
        data.cbData = 0;
        data.lpData = nullptr;
        ::SendMessageTimeoutW(m_browser, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &result);
        EXPECT_EQ(result, 0u);
    }
    ::SendMessageTimeoutW(m_frame, WM_SET_MUTE, static_cast<WPARAM>(-5), 0, SMTO_NORMAL, 5000, &result);
    ::PostMessageW(m_frame, WM_TIMER, 77, 0);
    ::PostMessageW(m_browser, WM_CHAR, 4, 0x00210001);  // not the launcher's Ctrl+D: no dialog
    EXPECT_EQ(QueryScriptedBrowser(m_browser, 12345), -1);
    PumpMessagesFor(300);
    EXPECT_TRUE(ProcessAlive(m_game.Id()));
    EXPECT_EQ(QueryScriptedBrowser(m_browser, kQueryRefreshCount), 0);
    EXPECT_EQ(WaitForWindow(m_game.Id(), L"#32770", L"添加收藏", 300), nullptr);
}

TEST(GameFrameWithoutHost, AHallWhoseHostIsNoWindowEnds) {
    for (const wchar_t* args : {L"/gmhall /1234567", L"/gmhall /0"}) {
        ChildProcess game;
        ASSERT_TRUE(game.Start(ProductPath(), args));
        EXPECT_TRUE(game.WaitForExit(kPatienceMs)) << testing::PrintToString(std::wstring(args));
    }
}
