#include "mainwnd/rules/HotKeyDispatch.h"

namespace {
constexpr unsigned kKeyDown = 0x100;
constexpr unsigned kSysKeyDown = 0x104;
}  // namespace

HookAction KeyboardHookAction(bool hasTabs, unsigned eventKind, int vk, int modifiers, const HookKeys& keys,
                              bool launcherFocused) noexcept {
    if (!hasTabs || (eventKind != kKeyDown && eventKind != kSysKeyDown)) return HookAction::None;
    if (MatchesHotKey(keys.boss, vk, modifiers)) return HookAction::ToggleHide;
    if (MatchesHotKey(keys.sound, vk, modifiers)) return HookAction::ToggleMute;
    if (launcherFocused && MatchesHotKey(keys.shot, vk, modifiers)) return HookAction::TakeScreenshot;
    return HookAction::None;
}
