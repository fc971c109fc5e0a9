// The global low-level keyboard hook of the main-window process.
#pragma once
#include "base/Handles.h"
#include "features/rules/HotKeys.h"

#include <windows.h>

class MainWindow;

extern MainWindow* g_mainWindow;

// Owns the hook installed on the calling thread. The hook only posts what a boss, sound or
// screenshot key press asks for to its target (WM_HOOK_ACTION, wParam: the HookAction) and
// returns: the window does the work when the message arrives. A hook procedure has no object
// of its own, so while installed the target and its keys are the process's one hook value:
// one hook at a time per process.
class KeyboardHook {
public:
    KeyboardHook() noexcept = default;
    ~KeyboardHook() { Remove(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // False when the system refused it or another hook of this process is installed. `keys`
    // is read at each key event, so it must outlive the hook.
    bool Install(HWND target, const HotKeySet& keys);
    void Remove() noexcept;
    [[nodiscard]] bool IsInstalled() const noexcept { return m_hook.IsValid(); }

private:
    UniqueHook m_hook;
};
