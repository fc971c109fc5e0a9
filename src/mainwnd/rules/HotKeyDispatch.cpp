#include "mainwnd/rules/HotKeyDispatch.h"

namespace {
constexpr unsigned kKeyDown = 0x100;
constexpr unsigned kSysKeyDown = 0x104;
}  // namespace

HookAction KeyboardHookAction(bool hasTabs, unsigned eventKind, int vk, int modifiers, const HotKey& boss,
                              const HotKey& sound) noexcept {
    if (!hasTabs || (eventKind != kKeyDown && eventKind != kSysKeyDown)) return HookAction::None;
    if (MatchesHotKey(boss, vk, modifiers)) return HookAction::ToggleHide;
    if (MatchesHotKey(sound, vk, modifiers)) return HookAction::ToggleMute;
    return HookAction::None;
}
