// What the system-wide keyboard hook does with a key event: the boss key hides or restores
// the main window, the sound key switches its sound, once the window has a tab. The event
// always goes on to the focused program as well.
#pragma once
#include "features/rules/HotKeys.h"

enum class HookAction { None, ToggleHide, ToggleMute };

// eventKind: the hook's message (key-down 0x100 and system-key-down 0x104 count; repeats of
// a held key are key-downs too).
HookAction KeyboardHookAction(bool hasTabs, unsigned eventKind, int vk, int modifiers, const HotKey& boss,
                              const HotKey& sound) noexcept;
