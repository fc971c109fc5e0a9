// What the system-wide keyboard hook does with a key event.
#include "mainwnd/rules/HotKeyDispatch.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
const HotKey kBoss{0, 121};   // F10
const HotKey kSound{2, 81};   // Ctrl+Q
}  // namespace

TEST(HotKeyDispatch, BossAndSoundKeysActOnKeyDownsOnceATabExists) {
    EXPECT_EQ(KeyboardHookAction(true, kKeyDown, 121, 0, kBoss, kSound), HookAction::ToggleHide);
    EXPECT_EQ(KeyboardHookAction(true, kSysKeyDown, 121, 0, kBoss, kSound), HookAction::ToggleHide);
    EXPECT_EQ(KeyboardHookAction(true, kKeyDown, 81, 2, kBoss, kSound), HookAction::ToggleMute);
    EXPECT_EQ(KeyboardHookAction(true, kKeyUp, 121, 0, kBoss, kSound), HookAction::None);
    EXPECT_EQ(KeyboardHookAction(true, kSysKeyUp, 81, 2, kBoss, kSound), HookAction::None);
    // During the login (no tab) the keys do nothing.
    EXPECT_EQ(KeyboardHookAction(false, kKeyDown, 121, 0, kBoss, kSound), HookAction::None);
    EXPECT_EQ(KeyboardHookAction(false, kKeyDown, 81, 2, kBoss, kSound), HookAction::None);
}

TEST(HotKeyDispatch, ModifierSetsMustBeEqual) {
    EXPECT_EQ(KeyboardHookAction(true, kKeyDown, 81, 2 | 4, kBoss, kSound), HookAction::None);  // Ctrl+Shift+Q
    EXPECT_EQ(KeyboardHookAction(true, kKeyDown, 81, 0, kBoss, kSound), HookAction::None);
    EXPECT_EQ(KeyboardHookAction(true, kKeyDown, 121, 1, kBoss, kSound), HookAction::None);  // Alt+F10
}

TEST(HotKeyDispatch, BossWinsWhenBothAreTheSameKeyAndUnloadedKeysMatchNothing) {
    EXPECT_EQ(KeyboardHookAction(true, kKeyDown, 121, 0, kBoss, kBoss), HookAction::ToggleHide);
    for (int vk : {0, 121, 255}) {
        for (int modifiers : {0, 7}) {
            EXPECT_EQ(KeyboardHookAction(true, kKeyDown, vk, modifiers, HotKey{}, HotKey{}), HookAction::None);
        }
    }
}
