#include "mainwnd/KeyboardHook.h"

#include "features/KeyState.h"
#include "mainwnd/MainWindow.h"
#include "mainwnd/rules/HotKeyDispatch.h"

MainWindow* g_mainWindow = nullptr;

namespace {
// What the installed hook reports to; the window is null while no hook is installed.
struct HookTarget {
    HWND window = nullptr;
    const HotKeySet* keys = nullptr;
    HHOOK hook = nullptr;  // borrowed from its owner, for the next hook in the chain
};
HookTarget g_hookTarget;

// Called on the installing thread inside its message retrieval. Newer systems remove a
// low-level hook that takes too long, so it does no window work here: ending a dialog or
// changing the foreground happens when the posted message arrives. Whether the window has a
// tab yet is its own business. It never swallows a key.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM kind, LPARAM data) {
    if (code == HC_ACTION && g_hookTarget.window && g_hookTarget.keys && data) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        // The game frames are children of the target, so it is the foreground window while
        // one of them has the focus.
        const bool launcherFocused = ::GetForegroundWindow() == g_hookTarget.window;
        const HookAction action =
            KeyboardHookAction(true, static_cast<unsigned>(kind), static_cast<int>(event->vkCode),
                               PhysicalModifierBits(), *g_hookTarget.keys, launcherFocused);
        if (action != HookAction::None) {
            ::PostMessageW(g_hookTarget.window, WM_HOOK_ACTION, static_cast<WPARAM>(action), 0);
        }
    }
    return ::CallNextHookEx(g_hookTarget.hook, code, kind, data);
}
}  // namespace

bool KeyboardHook::Install(HWND target, const HotKeySet& keys) {
    if (m_hook || g_hookTarget.window || !target) return false;
    g_hookTarget = HookTarget{target, &keys};
    m_hook.Reset(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHookProc, ::GetModuleHandleW(nullptr), 0));
    g_hookTarget.hook = m_hook.Get();
    if (!m_hook) g_hookTarget = HookTarget{};
    return m_hook.IsValid();
}

void KeyboardHook::Remove() noexcept {
    if (!m_hook) return;
    m_hook.Reset();
    g_hookTarget = HookTarget{};
}
