#include "mainwnd/KeyboardHook.h"

CBrindlow3Dlg* g_pMainDlg = nullptr;
HHOOK g_hKeyboardHook = nullptr;
HotKey g_keyBoss;
HotKey g_keySwitch;
HotKey g_keySound;

// Not built yet: the hook and its hot-key dispatch arrive with their own step.
HHOOK InstallKeyboardHook() { return nullptr; }

void RemoveKeyboardHook() {
    if (g_hKeyboardHook) ::UnhookWindowsHookEx(g_hKeyboardHook);
    g_hKeyboardHook = nullptr;
}
