#include "mainwnd/KeyboardHook.h"

#include "features/KeyState.h"
#include "mainwnd/MainDlg.h"
#include "mainwnd/rules/HotKeyDispatch.h"

CBrindlow3Dlg* g_pMainDlg = nullptr;
HHOOK g_hKeyboardHook = nullptr;
HotKey g_keyBoss;
HotKey g_keySwitch;
HotKey g_keySound;

namespace {
// Called on the installing (main window's) thread inside its message retrieval, so it may
// touch the main window directly; it must return quickly and never swallows a key.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM kind, LPARAM data) {
    if (code == HC_ACTION && g_pMainDlg && data) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        try {  // nothing unwinds into the system's hook chain
            const HookAction action =
                KeyboardHookAction(g_pMainDlg->TabCount() > 0, static_cast<unsigned>(kind),
                                   static_cast<int>(event->vkCode), PhysicalModifierBits(), g_keyBoss, g_keySound);
            if (action == HookAction::ToggleHide) g_pMainDlg->ToggleHide();
            if (action == HookAction::ToggleMute) g_pMainDlg->m_bMuted = !g_pMainDlg->m_bMuted;
        } catch (...) {
        }
    }
    return ::CallNextHookEx(g_hKeyboardHook, code, kind, data);
}
}  // namespace

HHOOK InstallKeyboardHook() {
    return ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHookProc, ::GetModuleHandleW(nullptr), 0);
}

void RemoveKeyboardHook() {
    if (g_hKeyboardHook) ::UnhookWindowsHookEx(g_hKeyboardHook);
    g_hKeyboardHook = nullptr;
}
