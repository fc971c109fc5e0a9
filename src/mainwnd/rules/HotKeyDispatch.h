// What the system-wide keyboard hook does with a key event: the boss key hides or restores
// the main window, the sound key switches its sound, once the window has a tab; the
// screenshot key captures the current tab, but only while the launcher has the focus, so a
// key meant for another program is left alone. The event always goes on to the focused
// program as well.
#pragma once
#include "features/rules/HotKeys.h"

enum class HookAction { None, ToggleHide, ToggleMute, TakeScreenshot };

struct HookKeys {
    HotKey boss;
    HotKey sound;
    HotKey shot;
};

// eventKind: the hook's message (key-down 0x100 and system-key-down 0x104 count; repeats of
// a held key are key-downs too).
// launcherFocused: the foreground window is the launcher's main window.
HookAction KeyboardHookAction(bool hasTabs, unsigned eventKind, int vk, int modifiers, const HookKeys& keys,
                              bool launcherFocused) noexcept;
