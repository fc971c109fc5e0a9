// What the system-wide keyboard hook does with a key event.
#include "mainwnd/rules/HotKeyDispatch.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
const HotKey kBoss{0, 121};   // F10
const HotKey kSound{2, 81};   // Ctrl+Q
const HotKey kShot{0, 120};   // F9
const HookKeys kKeys{kBoss, kSound, kShot};

HookAction Action(bool hasTabs, unsigned kind, int vk, int modifiers, bool focused = false,
                  const HookKeys& keys = kKeys) {
    return KeyboardHookAction(hasTabs, kind, vk, modifiers, keys, focused);
}
}  // namespace

TEST(HotKeyDispatch, BossAndSoundKeysActOnKeyDownsOnceATabExistsWhereverTheFocusIs) {
    for (bool focused : {false, true}) {
        EXPECT_EQ(Action(true, kKeyDown, 121, 0, focused), HookAction::ToggleHide);
        EXPECT_EQ(Action(true, kSysKeyDown, 121, 0, focused), HookAction::ToggleHide);
        EXPECT_EQ(Action(true, kKeyDown, 81, 2, focused), HookAction::ToggleMute);
        EXPECT_EQ(Action(true, kKeyUp, 121, 0, focused), HookAction::None);
        EXPECT_EQ(Action(true, kSysKeyUp, 81, 2, focused), HookAction::None);
        // During the login (no tab) the keys do nothing.
        EXPECT_EQ(Action(false, kKeyDown, 121, 0, focused), HookAction::None);
        EXPECT_EQ(Action(false, kKeyDown, 81, 2, focused), HookAction::None);
    }
}

TEST(HotKeyDispatch, ScreenshotKeyActsOnlyWhileTheLauncherHasTheFocus) {
    EXPECT_EQ(Action(true, kKeyDown, 120, 0, true), HookAction::TakeScreenshot);
    EXPECT_EQ(Action(true, kKeyDown, 120, 0, false), HookAction::None);  // another program's F9
    EXPECT_EQ(Action(true, kKeyUp, 120, 0, true), HookAction::None);
    EXPECT_EQ(Action(false, kKeyDown, 120, 0, true), HookAction::None);  // nothing to capture yet
    EXPECT_EQ(Action(true, kKeyDown, 120, 2, true), HookAction::None);   // Ctrl+F9
    // A screenshot key that is also the boss key hides, as the boss key always did.
    EXPECT_EQ(Action(true, kKeyDown, 121, 0, true, HookKeys{kBoss, kSound, kBoss}), HookAction::ToggleHide);
}

TEST(HotKeyDispatch, ModifierSetsMustBeEqual) {
    EXPECT_EQ(Action(true, kKeyDown, 81, 2 | 4), HookAction::None);  // Ctrl+Shift+Q
    EXPECT_EQ(Action(true, kKeyDown, 81, 0), HookAction::None);
    EXPECT_EQ(Action(true, kKeyDown, 121, 1), HookAction::None);  // Alt+F10
}

TEST(HotKeyDispatch, BossWinsWhenBothAreTheSameKeyAndUnloadedKeysMatchNothing) {
    EXPECT_EQ(Action(true, kKeyDown, 121, 0, false, HookKeys{kBoss, kBoss, kShot}), HookAction::ToggleHide);
    for (int vk : {0, 120, 121, 255}) {
        for (int modifiers : {0, 7}) {
            EXPECT_EQ(Action(true, kKeyDown, vk, modifiers, true, HookKeys{}), HookAction::None);
        }
    }
}
