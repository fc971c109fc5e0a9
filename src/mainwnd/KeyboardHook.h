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

// Installs the hook on the calling thread; null when it could not be installed.
HHOOK InstallKeyboardHook();
void RemoveKeyboardHook();
