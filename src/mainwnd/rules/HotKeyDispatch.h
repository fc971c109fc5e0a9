// What the system-wide keyboard hook does with a key event: the boss key hides or restores
// the main window, the sound key switches its sound, once the window has a tab; the
// screenshot key captures the current tab, but only while the launcher has the focus, so a
// key meant for another program is left alone. The event always goes on to the focused
// program as well.
#pragma once
#include "features/rules/HotKeys.h"

enum class HookAction { None, ToggleHide, ToggleMute, TakeScreenshot };

// eventKind: the hook's message (key-down 0x100 and system-key-down 0x104 count; repeats of
// a held key are key-downs too).
// launcherFocused: the foreground window is the launcher's main window.
// The window-switch key is not the hook's: the main window routes it from its own queue.
HookAction KeyboardHookAction(bool hasTabs, unsigned eventKind, int vk, int modifiers, const HotKeySet& keys,
                              bool launcherFocused) noexcept;

// What the main window does with a message of its own queue before the dialog sees it.
enum class KeyRoute {
    PassOn,      // not a key the window routes
    SwitchTab,   // the window-switch key, unless the launcher made the key press itself
    Swallow,     // Esc and Space never reach the dialog: they would close it or press a button
    ToGamePage,  // F5 and the add-favourite character belong to the page, once a tab exists
};
// message: the message number; key: its wParam (the key code, or the character of WM_CHAR).
// launcherMade: the lParam is the launcher's own marker. addFavoriteChar: a WM_CHAR that is
// the add-favourite key. modifiers: the modifier bits held, for key-down messages.
KeyRoute RouteMainWindowKey(unsigned message, int key, bool launcherMade, bool addFavoriteChar, int modifiers,
                            const HotKeySet& keys, bool hasTabs) noexcept;
