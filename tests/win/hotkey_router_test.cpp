// The main window's key router against a stand-in window: the keys it reads from the
// settings file, the frames it tells to reload, where it sends the keys of the window's queue
// and what it does with the hook's actions.
#include "base/Messages.h"
#include "features/HotKeyStore.h"
#include "mainwnd/HotKeyRouter.h"
#include "mainwnd/rules/HotKeyDispatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Arrival {
    HWND window;
    UINT message;
    WPARAM wParam;
};
std::vector<Arrival>* g_arrivals = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (g_arrivals && (msg == WM_RELOAD_HOTKEYS || msg == WM_KEYDOWN || msg == WM_CHAR)) {
        g_arrivals->push_back(Arrival{hwnd, msg, w});
    }
    return ::DefWindowProcW(hwnd, msg, w, l);
}

class StandInWindow : public HotKeyTarget {
public:
    int TabCount() const noexcept override { return tabs; }
    std::vector<HWND> GameFrames() const override { return frames; }
    HWND ShownGamePage() const override { return shownPage; }
    void ToggleHide() override { ++hides; }
    void ToggleMute() override { ++mutes; }
    void CaptureCurrentTab() override { ++captures; }
    void SwitchToNextTab() override { ++switches; }

    int tabs = 0;
    std::vector<HWND> frames;
    HWND shownPage = nullptr;
    int hides = 0, mutes = 0, captures = 0, switches = 0;
};

class HotKeyRouterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::DeleteFileW(LocalSettingsPath().c_str());
        WNDCLASSW wc{};
        wc.lpfnWndProc = &RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QhRouterFrame";
        ::RegisterClassW(&wc);
        for (HWND& frame : frames) {
            frame = ::CreateWindowExW(0, L"QhRouterFrame", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      wc.hInstance, nullptr);
            ASSERT_NE(frame, nullptr);
        }
        g_arrivals = &arrivals;
    }
    void TearDown() override {
        g_arrivals = nullptr;
        for (HWND frame : frames) ::DestroyWindow(frame);
        ::DeleteFileW(LocalSettingsPath().c_str());
    }

    void Pump() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    static MSG KeyMessage(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        MSG msg{};
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        return msg;
    }
    static void Store(const wchar_t* key, const wchar_t* value) {
        ::WritePrivateProfileStringW(L"Tov", key, value, LocalSettingsPath().c_str());
    }

    HWND frames[3] = {};
    std::vector<Arrival> arrivals;
    StandInWindow window;
    HotKeyRouter router{window};
};
}  // namespace

TEST_F(HotKeyRouterTest, TheKeySetIsReadAsStoredWithDefaultsForTheRest) {
    Store(L"ShotKey", L"6,80");
    Store(L"AltWndKey", L"0,122");
    const HotKeySet keys = LoadHotKeySet();
    EXPECT_EQ(keys.boss, (HotKey{0, 121}));
    EXPECT_EQ(keys.windowSwitch, (HotKey{0, 122}));
    EXPECT_EQ(keys.sound, (HotKey{2, 81}));
    EXPECT_EQ(keys.shot, (HotKey{6, 80}));
}

TEST_F(HotKeyRouterTest, AReloadReadsTheKeysAndTellsEveryGameFrame) {
    EXPECT_EQ(router.Keys().boss, HotKey{});  // nothing loaded, nothing matches
    Store(L"ShortKey", L"0,123");
    window.frames = {frames[0], frames[2]};
    router.Reload();
    EXPECT_EQ(router.Keys().boss, (HotKey{0, 123}));
    Pump();
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_EQ(arrivals[0].window, frames[0]);
    EXPECT_EQ(arrivals[1].window, frames[2]);
    EXPECT_EQ(arrivals[0].message, static_cast<UINT>(WM_RELOAD_HOTKEYS));
    EXPECT_EQ(arrivals[1].message, static_cast<UINT>(WM_RELOAD_HOTKEYS));
}

TEST_F(HotKeyRouterTest, F5AndCtrlDGoToTheShownPageOnceATabExists) {
    router.Reload();
    // Before the first tab F5 is the dialog's own business.
    EXPECT_FALSE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_F5)));

    window.tabs = 1;
    window.shownPage = frames[1];
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_F5, kLauncherMarker)));
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_CHAR, 4, 0x00200001)));  // Ctrl+D's character
    EXPECT_FALSE(router.PreTranslate(KeyMessage(WM_CHAR, 4, 0x00300001)));  // another key's
    // No page shown (the window hidden): still taken, sent nowhere.
    window.shownPage = nullptr;
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_F5)));
    Pump();
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_EQ(arrivals[0].window, frames[1]);
    EXPECT_EQ(arrivals[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(arrivals[0].wParam, static_cast<WPARAM>(VK_F5));
    EXPECT_EQ(arrivals[1].window, frames[1]);
    EXPECT_EQ(arrivals[1].message, static_cast<UINT>(WM_CHAR));
}

TEST_F(HotKeyRouterTest, TheSwitchKeySwitchesAndEscAndSpaceAreSwallowed) {
    Store(L"AltWndKey", L"0,122");  // plain F11: no modifier needs to be held
    router.Reload();
    window.tabs = 2;
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_F11)));
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_SYSKEYDOWN, VK_F11)));
    EXPECT_FALSE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_F11, kLauncherMarker)));
    EXPECT_FALSE(router.PreTranslate(KeyMessage(WM_KEYUP, VK_F11)));
    EXPECT_EQ(window.switches, 2);
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_ESCAPE)));
    EXPECT_TRUE(router.PreTranslate(KeyMessage(WM_KEYDOWN, VK_SPACE)));
    EXPECT_FALSE(router.PreTranslate(KeyMessage(WM_KEYDOWN, 'A')));
    EXPECT_FALSE(router.PreTranslate(KeyMessage(WM_MOUSEMOVE, 0)));
    EXPECT_EQ(window.switches, 2);
}

TEST_F(HotKeyRouterTest, TheHooksActionsWaitForTheFirstTab) {
    for (HookAction action : {HookAction::ToggleHide, HookAction::ToggleMute, HookAction::TakeScreenshot}) {
        router.OnHookAction(static_cast<WPARAM>(action));
    }
    EXPECT_EQ(window.hides + window.mutes + window.captures, 0);

    window.tabs = 1;
    router.OnHookAction(static_cast<WPARAM>(HookAction::ToggleHide));
    router.OnHookAction(static_cast<WPARAM>(HookAction::ToggleMute));
    router.OnHookAction(static_cast<WPARAM>(HookAction::ToggleMute));
    router.OnHookAction(static_cast<WPARAM>(HookAction::TakeScreenshot));
    router.OnHookAction(static_cast<WPARAM>(HookAction::None));
    EXPECT_EQ(window.hides, 1);
    EXPECT_EQ(window.mutes, 2);
    EXPECT_EQ(window.captures, 1);
}
