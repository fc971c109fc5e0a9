// Each tab its own view: the tab's menu (a right click on the tab), mute per tab, page zoom with
// fit-to-window, and both remembered for the account. Stand-in frames where the main window's
// part is tested, real game processes with the scripted page where the page's zoom is.
#include "base/Messages.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "gameview/rules/PageZoom.h"
#include "mainwnd/rules/TabView.h"
#include "support/FrameHost.h"
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/OtherApplication.h"
#include "support/Settings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
std::wstring StoredView(const std::wstring& record) {
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(tabs::kTabViewSection, tabs::TabViewKey(record).c_str(), L"", value, 64,
                               ProductSettingsFile().c_str());
    return value;
}

// The main window's side, with this process playing the tabs' frames.
class TabMenu : public LauncherTest {
protected:
    void SetUp() override { StartWithoutItsLogin(); }
    void StartWithoutItsLogin() {
        StartLauncher();
        StopFirstGameProcesses();
    }
    std::unique_ptr<FakeGameFrame> AddTab(const std::wstring& record) { return AddStandInTab(record); }
    // "静音" in tab `index`'s menu.
    bool ToggleMuteOf(int index) {
        RightClickTab(main, index);
        return WalkMenu(launcher.Id(), {VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN});
    }

    SettingsFileKept kept{ProductSettingsFile()};  // the accounts' views go with the test
};
}  // namespace

TEST_F(TabMenu, MuteOnATabSilencesThatTabOnlyAndTheSoundKeyStillMutesAll) {
    auto a = AddTab(L"s1-mute-a");
    auto b = AddTab(L"s1-mute-b");
    ASSERT_TRUE(ToggleMuteOf(0));  // a tab that is not the current one
    EXPECT_TRUE(WaitUntil([&] { return a->LastMute() == 1; }, kPatienceMs));
    PumpMessagesFor(1000);  // more than the window's 400 ms sound timer
    EXPECT_EQ(a->LastMute(), 1u);
    EXPECT_EQ(b->LastMute(), 0u);
    EXPECT_EQ(StoredView(L"s1-mute-a"), L"1,100");
    EXPECT_EQ(StoredView(L"s1-mute-b"), L"");

    // The sound key mutes every tab; turning it off again leaves the muted tab muted.
    OtherApplication other;
    PressKeys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(WaitUntil([&] { return b->LastMute() == 1; }, kPatienceMs));
    PressKeys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(WaitUntil([&] { return b->LastMute() == 0; }, kPatienceMs));
    PumpMessagesFor(1000);
    EXPECT_EQ(a->LastMute(), 1u);
}

TEST_F(TabMenu, ZoomAndMuteComeBackWhenTheAccountOpensAgain) {
    {
        auto tab = AddTab(L"s1-again");
        tab->ShowsZoom(main, 100);  // its page can be zoomed
        PumpMessagesFor(500);
        RightClickTab(main, 0);
        // 缩放, into its levels: 50 67 75 80 90 100 110 125.
        ASSERT_TRUE(WalkMenu(launcher.Id(), {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_HOME, VK_DOWN, VK_DOWN,
                                             VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
        EXPECT_TRUE(WaitUntil([&] { return tab->LastZoom() == 125; }, kPatienceMs));
        ASSERT_TRUE(ToggleMuteOf(0));
        EXPECT_TRUE(WaitUntil([&] { return StoredView(L"s1-again") == L"1,125"; }, kPatienceMs));
        KillProcessTree(launcher.Id());
    }
    // Another start, the same account: its tab gets both at once.
    StartWithoutItsLogin();
    auto again = AddTab(L"s1-again");
    EXPECT_TRUE(WaitUntil([&] { return again->LastZoom() == 125; }, kPatienceMs));
    EXPECT_EQ(again->LastMute(), 1u);
    // Another account has its own: 100 % and sound on.
    auto other = AddTab(L"s1-someone-else");
    EXPECT_TRUE(WaitUntil([&] { return other->LastZoom() == 100; }, kPatienceMs));
    EXPECT_EQ(other->LastMute(), 0u);
}

TEST_F(TabMenu, AMenuWhoseTabGoesClosesAndActsOnNoOtherTab) {
    auto a = AddTab(L"s1-going");
    auto b = AddTab(L"s1-staying");
    RightClickTab(main, 0);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenuOf(launcher.Id()) != nullptr; }, kPatienceMs));
    a.reset();  // its frame goes, as with its game process
    EXPECT_TRUE(WaitUntil([&] { return OpenMenuOf(launcher.Id()) == nullptr; }, kPatienceMs));
    PressKeys({VK_HOME});
    PressKeys({VK_RETURN});
    PumpMessagesFor(1000);
    EXPECT_EQ(b->LastMute(), 0u);
    EXPECT_EQ(b->SysCloses(), 0);
    EXPECT_EQ(SendLoginRecord(main, L"s1-staying"), 0);  // its tab is still open
}

namespace {
// Real tabs: game processes logged in through their scripted pages, whose zoom can be asked.
class PageZoom : public LauncherTest {
protected:
    void SetUp() override { StartLauncher(); }
    // The scripted page of the game process's tab.
    HWND PageOf(DWORD game) const {
        HWND page = nullptr;
        WaitUntil([&] { return (page = FindScriptedBrowser(FrameOf(game, main))) != nullptr; }, kPatienceMs);
        return page;
    }
    static LRESULT ZoomOf(HWND page) { return QueryScriptedBrowser(page, kQueryZoom); }
    // The level that fits the scripted page's content into the page's window now.
    static int FitNow(HWND page) {
        RECT rc{};
        ::GetClientRect(page, &rc);
        return zoom::FitLevel(kScriptedContentSize.cx, kScriptedContentSize.cy, rc.right, rc.bottom);
    }
    SettingsFileKept kept{ProductSettingsFile()};
};
}  // namespace

TEST_F(PageZoom, CtrlWithTheWheelAndTheKeysZoomOnlyTheTabThatHasTheKeyboard) {
    const DWORD first = LogInFirstAccount(L"s1-wheel-a", L"1");
    ASSERT_NE(first, 0u);
    HWND secondPage = nullptr;
    const DWORD second = AddAccountInThisWindow(&secondPage);
    ASSERT_NE(second, 0u);
    ASSERT_TRUE(LogIn(second, secondPage, L"s2-wheel-b", L"2"));
    HWND a = PageOf(first);
    HWND b = PageOf(second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(ZoomOf(b), 100);

    RECT rc{};
    ::GetWindowRect(b, &rc);
    const POINT centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClickAt(centre);
    WheelAt(centre, 1, {VK_CONTROL});
    EXPECT_TRUE(WaitUntil([&] { return ZoomOf(b) == 110; }, kPatienceMs));
    PressKeys({VK_CONTROL, VK_OEM_MINUS});
    PressKeys({VK_CONTROL, VK_OEM_MINUS});
    EXPECT_TRUE(WaitUntil([&] { return ZoomOf(b) == 90; }, kPatienceMs));
    EXPECT_EQ(ZoomOf(a), 100);
    // Remembered for the account, as the main window heard it.
    EXPECT_TRUE(WaitUntil([&] { return StoredView(L"s2-wheel-b") == L"0,90"; }, kPatienceMs));
    // A refresh keeps it.
    ::PostMessageW(FrameOf(second, main), WM_KEYDOWN, VK_F5, kLauncherMarker);
    PumpMessagesFor(1000);
    EXPECT_EQ(ZoomOf(b), 90);
}

TEST_F(PageZoom, FitToWindowFollowsTheWindowsSize) {
    const DWORD game = LogInFirstAccount(L"s1-fit", L"1");
    ASSERT_NE(game, 0u);
    HWND page = PageOf(game);
    ASSERT_NE(page, nullptr);
    RightClickTab(main, 0);
    ASSERT_TRUE(WalkMenu(launcher.Id(), {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_END, VK_RETURN}));  // 适应窗口
    EXPECT_TRUE(WaitUntil([&] { return ZoomOf(page) == FitNow(page); }, kPatienceMs));
    const LRESULT maximised = ZoomOf(page);
    EXPECT_NE(maximised, 100);

    ::ShowWindow(main, SW_RESTORE);
    ::SetWindowPos(main, nullptr, 0, 0, 700, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return ZoomOf(page) == FitNow(page) && ZoomOf(page) != maximised; }, kPatienceMs))
        << "zoom " << ZoomOf(page) << ", fits " << FitNow(page);
    EXPECT_EQ(StoredView(L"s1-fit"), L"0,fit");
}
