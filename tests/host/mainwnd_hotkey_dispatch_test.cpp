// What the system-wide keyboard hook does with a key event.
#include "mainwnd/rules/HotKeyDispatch.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
const HotKey kBoss{0, 121};   // F10
const HotKey kSound{2, 81};   // Ctrl+Q
const HotKey kShot{0, 120};   // F9
const HotKey kSwitch{2, 9};  // Ctrl+Tab

HotKeySet Keys(const HotKey& boss, const HotKey& sound, const HotKey& shot, const HotKey& windowSwitch = kSwitch) {
    HotKeySet keys;
    keys.boss = boss;
    keys.windowSwitch = windowSwitch;
    keys.sound = sound;
    keys.shot = shot;
    return keys;
}
const HotKeySet kKeys = Keys(kBoss, kSound, kShot);

HookAction Action(bool hasTabs, unsigned kind, int vk, int modifiers, bool focused = false,
                  const HotKeySet& keys = kKeys) {
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
    EXPECT_EQ(Action(true, kKeyDown, 121, 0, true, Keys(kBoss, kSound, kBoss)), HookAction::ToggleHide);
}

TEST(HotKeyDispatch, ModifierSetsMustBeEqual) {
    EXPECT_EQ(Action(true, kKeyDown, 81, 2 | 4), HookAction::None);  // Ctrl+Shift+Q
    EXPECT_EQ(Action(true, kKeyDown, 81, 0), HookAction::None);
    EXPECT_EQ(Action(true, kKeyDown, 121, 1), HookAction::None);  // Alt+F10
}

TEST(HotKeyDispatch, BossWinsWhenBothAreTheSameKeyAndUnloadedKeysMatchNothing) {
    EXPECT_EQ(Action(true, kKeyDown, 121, 0, false, Keys(kBoss, kBoss, kShot)), HookAction::ToggleHide);
    for (int vk : {0, 120, 121, 255}) {
        for (int modifiers : {0, 7}) {
            EXPECT_EQ(Action(true, kKeyDown, vk, modifiers, true, HotKeySet{}), HookAction::None);
        }
    }
}

TEST(HotKeyDispatch, TheHookLeavesTheWindowSwitchKeyToTheWindow) {
    EXPECT_EQ(Action(true, kKeyDown, 9, 2, true), HookAction::None);
}

namespace {
constexpr unsigned kChar = 0x102;
constexpr int kEsc = 0x1B, kSpace = 0x20, kF5 = 0x74, kTab = 9, kCtrlD = 4;

KeyRoute Route(unsigned message, int key, int modifiers = 0, bool hasTabs = true, bool launcherMade = false,
               bool favoriteChar = false, const HotKeySet& keys = kKeys) {
    return RouteMainWindowKey(message, key, launcherMade, favoriteChar, modifiers, keys, hasTabs);
}
}  // namespace

TEST(MainWindowKeyRoute, TheSwitchKeySwitchesOnKeyDownsUnlessTheLauncherMadeThePress) {
    EXPECT_EQ(Route(kKeyDown, kTab, 2), KeyRoute::SwitchTab);
    EXPECT_EQ(Route(kSysKeyDown, kTab, 2), KeyRoute::SwitchTab);
    EXPECT_EQ(Route(kKeyDown, kTab, 2, false), KeyRoute::SwitchTab);  // the window decides what a switch does
    EXPECT_EQ(Route(kKeyDown, kTab, 2, true, true), KeyRoute::PassOn);
    EXPECT_EQ(Route(kKeyUp, kTab, 2), KeyRoute::PassOn);
    EXPECT_EQ(Route(kKeyDown, kTab, 0), KeyRoute::PassOn);      // plain Tab
    EXPECT_EQ(Route(kKeyDown, kTab, 2 | 4), KeyRoute::PassOn);  // Ctrl+Shift+Tab
    EXPECT_EQ(Route(kKeyDown, kTab, 2, true, false, false, HotKeySet{}), KeyRoute::PassOn);
}

TEST(MainWindowKeyRoute, EscAndSpaceNeverReachTheDialog) {
    for (bool hasTabs : {false, true}) {
        EXPECT_EQ(Route(kKeyDown, kEsc, 0, hasTabs), KeyRoute::Swallow);
        EXPECT_EQ(Route(kKeyDown, kSpace, 0, hasTabs), KeyRoute::Swallow);
        EXPECT_EQ(Route(kKeyDown, kSpace, 2, hasTabs), KeyRoute::Swallow);
    }
    EXPECT_EQ(Route(kKeyUp, kEsc), KeyRoute::PassOn);
    EXPECT_EQ(Route(kSysKeyDown, kSpace, 1), KeyRoute::PassOn);  // Alt+Space: the window menu
    // A switch key set to Space still switches.
    EXPECT_EQ(Route(kKeyDown, kSpace, 0, true, false, false, Keys(kBoss, kSound, kShot, HotKey{0, kSpace})),
              KeyRoute::SwitchTab);
}

TEST(MainWindowKeyRoute, F5AndTheAddFavouriteKeyGoToTheGamePageOnceATabExists) {
    EXPECT_EQ(Route(kKeyDown, kF5), KeyRoute::ToGamePage);
    EXPECT_EQ(Route(kKeyDown, kF5, 0, true, true), KeyRoute::ToGamePage);  // the menu's refresh
    EXPECT_EQ(Route(kChar, kCtrlD, 0, true, false, true), KeyRoute::ToGamePage);
    EXPECT_EQ(Route(kChar, kCtrlD, 0, true, false, false), KeyRoute::PassOn);  // another key's character 4
    EXPECT_EQ(Route(kKeyDown, kF5, 0, false), KeyRoute::PassOn);
    EXPECT_EQ(Route(kChar, kCtrlD, 0, false, false, true), KeyRoute::PassOn);
    EXPECT_EQ(Route(kKeyUp, kF5), KeyRoute::PassOn);
    EXPECT_EQ(Route(kSysKeyDown, kF5, 1), KeyRoute::PassOn);
}
