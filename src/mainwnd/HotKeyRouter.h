// The main window's hot keys: it loads them and has its game frames reload theirs, runs what
// the system-wide hook asks for, and routes the keys of the window's own queue.
#pragma once
#include "features/rules/HotKeys.h"
#include "mainwnd/KeyboardHook.h"

#include <windows.h>

#include <vector>

// What the keys act on: the main window.
class HotKeyTarget {
public:
    [[nodiscard]] virtual int TabCount() const noexcept = 0;
    // Every game frame that keeps its own copy of the keys: the tabs' frames and the hall's.
    [[nodiscard]] virtual std::vector<HWND> GameFrames() const = 0;
    // Where F5 and the add-favourite key go: the current tab's frame when shown, else the
    // hall's when shown; null when neither is.
    [[nodiscard]] virtual HWND ShownGamePage() const = 0;
    virtual void ToggleHide() = 0;
    virtual void ToggleMute() = 0;
    virtual void CaptureCurrentTab() = 0;
    virtual void SwitchToNextTab() = 0;

protected:
    ~HotKeyTarget() = default;
};

class HotKeyRouter {
public:
    explicit HotKeyRouter(HotKeyTarget& target) noexcept : m_target(target) {}

    // Installs the system-wide hook, posting its actions to `window`; false when it could
    // not be installed.
    bool StartHook(HWND window) { return m_hook.Install(window, m_keys); }
    void StopHook() noexcept { m_hook.Remove(); }

    // Reads the keys from the settings file and tells every game frame to read them too.
    void Reload();
    // A HookAction the hook posted. The keys do nothing before the first tab (the login).
    void OnHookAction(WPARAM action);
    // True when the message was routed here and goes no further.
    bool PreTranslate(const MSG& msg);

    [[nodiscard]] const HotKeySet& Keys() const noexcept { return m_keys; }

private:
    HotKeyTarget& m_target;
    HotKeySet m_keys;     // all -1 until the first reload: nothing matches before
    KeyboardHook m_hook;  // reads m_keys, so it goes first
};
