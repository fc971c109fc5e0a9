// The system-wide keyboard hook, installed for real and fed real key presses: it hands the
// boss and sound keys to its window as a posted message and does no window work itself.
#include "mainwnd/KeyboardHook.h"
#include "mainwnd/MainWindow.h"
#include "mainwnd/rules/HotKeyDispatch.h"
#include "support/Input.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<WPARAM>* g_arrivals = nullptr;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_HOOK_ACTION && g_arrivals) g_arrivals->push_back(w);
    return ::DefWindowProcW(hwnd, msg, w, l);
}

class KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &TargetProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QhHookTarget";
        ::RegisterClassW(&wc);
        target = ::CreateWindowExW(0, L"QhHookTarget", L"hook target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                   100, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(target, nullptr);
        g_arrivals = &arrivals;
        keys.boss = HotKey{0, VK_F13};
        keys.sound = HotKey{2, VK_F14};  // Ctrl+F14
        ASSERT_TRUE(hook.Install(target, keys));
    }
    void TearDown() override {
        hook.Remove();
        g_arrivals = nullptr;
        ::DestroyWindow(target);
    }

    // Runs this thread's messages (the hook is called inside their retrieval) until `count`
    // actions reached the window, counting those that came through the queue.
    bool PumpUntilActions(size_t count) {
        for (int i = 0; i < 400 && arrivals.size() < count; ++i) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_HOOK_ACTION && msg.hwnd == target) ++queued;
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (arrivals.size() < count) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
        }
        return arrivals.size() >= count;
    }

    HWND target = nullptr;
    std::vector<WPARAM> arrivals;
    size_t queued = 0;  // actions taken from the message queue rather than handed over directly
    HotKeySet keys;
    KeyboardHook hook;
};
}  // namespace

TEST_F(KeyboardHookTest, BossAndSoundKeysArePostedToTheWindowNotRunInTheHook) {
    PressKeys({VK_F13});
    ASSERT_TRUE(PumpUntilActions(1));
    EXPECT_EQ(arrivals[0], static_cast<WPARAM>(HookAction::ToggleHide));
    // Nothing acted on the window on its own: it is still shown.
    EXPECT_TRUE(::IsWindowVisible(target));

    PressKeys({VK_CONTROL, VK_F14});
    ASSERT_TRUE(PumpUntilActions(2));
    EXPECT_EQ(arrivals[1], static_cast<WPARAM>(HookAction::ToggleMute));
    // Both went through the queue: the hook posted them and returned.
    EXPECT_EQ(queued, 2u);
}

TEST_F(KeyboardHookTest, OtherKeysAndOtherModifierSetsPostNothing) {
    PressKeys({VK_CONTROL, VK_SHIFT, VK_F14});
    PressKeys({VK_F14});
    PressKeys({VK_F13});  // the last one does match: when it arrives the others would have
    ASSERT_TRUE(PumpUntilActions(1));
    ASSERT_EQ(arrivals.size(), 1u);
    EXPECT_EQ(arrivals[0], static_cast<WPARAM>(HookAction::ToggleHide));
}

TEST_F(KeyboardHookTest, OneHookAProcessAndKeysChangedWhileInstalledCountAtOnce) {
    // The hook procedure has one target for the whole process: a second hook is refused.
    KeyboardHook second;
    EXPECT_FALSE(second.Install(target, keys));
    EXPECT_TRUE(hook.IsInstalled());

    keys.boss = HotKey{0, VK_F15};
    PressKeys({VK_F13});  // the old boss key: nothing
    PressKeys({VK_F15});
    ASSERT_TRUE(PumpUntilActions(1));
    ASSERT_EQ(arrivals.size(), 1u);
    EXPECT_EQ(arrivals[0], static_cast<WPARAM>(HookAction::ToggleHide));

    // Removed, it reports nothing more, and another may be installed.
    hook.Remove();
    EXPECT_FALSE(hook.IsInstalled());
    PressKeys({VK_F15});
    EXPECT_FALSE(PumpUntilActions(2));
    EXPECT_TRUE(second.Install(target, keys));
}
