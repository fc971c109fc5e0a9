#include "mainwnd/KeyboardHook.h"

#include "features/KeyState.h"
#include "mainwnd/MainDlg.h"
#include "mainwnd/rules/HotKeyDispatch.h"

CBrindlow3Dlg* g_pMainDlg = nullptr;
HHOOK g_hKeyboardHook = nullptr;
HotKey g_keyBoss;
HotKey g_keySwitch;
HotKey g_keySound;
HotKey g_keyShot;

namespace {
HWND g_hHookTarget = nullptr;

// Called on the installing thread inside its message retrieval. Newer systems remove a
// low-level hook that takes too long, so it does no window work here: ending a dialog or
// changing the foreground happens when the posted message arrives. Whether the window has a
// tab yet is its own business. It never swallows a key.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM kind, LPARAM data) {
    if (code == HC_ACTION && g_hHookTarget && data) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        // The game frames are children of the target, so it is the foreground window while
        // one of them has the focus.
        const bool launcherFocused = ::GetForegroundWindow() == g_hHookTarget;
        const HookAction action =
            KeyboardHookAction(true, static_cast<unsigned>(kind), static_cast<int>(event->vkCode),
                               PhysicalModifierBits(), HookKeys{g_keyBoss, g_keySound, g_keyShot}, launcherFocused);
        if (action != HookAction::None) {
            ::PostMessageW(g_hHookTarget, WM_HOOK_ACTION, static_cast<WPARAM>(action), 0);
        }
    }
    return ::CallNextHookEx(g_hKeyboardHook, code, kind, data);
}
}  // namespace

HHOOK InstallKeyboardHook(HWND target) {
    g_hHookTarget = target;
    return ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHookProc, ::GetModuleHandleW(nullptr), 0);
}

void RemoveKeyboardHook() {
    if (g_hKeyboardHook) ::UnhookWindowsHookEx(g_hKeyboardHook);
    g_hKeyboardHook = nullptr;
    g_hHookTarget = nullptr;
}
