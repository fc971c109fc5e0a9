#include "mainwnd/rules/HotKeyDispatch.h"

namespace {
constexpr unsigned kKeyDown = 0x100;
constexpr unsigned kSysKeyDown = 0x104;
constexpr unsigned kChar = 0x102;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkF5 = 0x74;
}  // namespace

HookAction KeyboardHookAction(bool hasTabs, unsigned eventKind, int vk, int modifiers, const HotKeySet& keys,
                              bool launcherFocused) noexcept {
    if (!hasTabs || (eventKind != kKeyDown && eventKind != kSysKeyDown)) return HookAction::None;
    if (MatchesHotKey(keys.boss, vk, modifiers)) return HookAction::ToggleHide;
    if (MatchesHotKey(keys.sound, vk, modifiers)) return HookAction::ToggleMute;
    if (launcherFocused && MatchesHotKey(keys.shot, vk, modifiers)) return HookAction::TakeScreenshot;
    return HookAction::None;
}

KeyRoute RouteMainWindowKey(unsigned message, int key, bool launcherMade, bool addFavoriteChar, int modifiers,
                            const HotKeySet& keys, bool hasTabs) noexcept {
    const bool keyDown = message == kKeyDown || message == kSysKeyDown;
    if (keyDown && !launcherMade && MatchesHotKey(keys.windowSwitch, key, modifiers)) return KeyRoute::SwitchTab;
    if (message == kKeyDown && (key == kVkEscape || key == kVkSpace)) return KeyRoute::Swallow;
    if (hasTabs && ((message == kChar && addFavoriteChar) || (message == kKeyDown && key == kVkF5))) {
        return KeyRoute::ToGamePage;
    }
    return KeyRoute::PassOn;
}
