// The global low-level keyboard hook of the main-window process and the hot keys it matches.
#pragma once
#include "features/rules/HotKeys.h"

#include <windows.h>

class CBrindlow3Dlg;

extern CBrindlow3Dlg* g_pMainDlg;
extern HHOOK g_hKeyboardHook;
extern HotKey g_keyBoss;
extern HotKey g_keySwitch;
extern HotKey g_keySound;
extern HotKey g_keyShot;

// Installs the hook on the calling thread; null when it could not be installed. The hook only
// posts what a boss, sound or screenshot key press asks for to `target` (WM_HOOK_ACTION,
// wParam: the HookAction) and returns: the window does the work when the message arrives.
HHOOK InstallKeyboardHook(HWND target);
void RemoveKeyboardHook();
