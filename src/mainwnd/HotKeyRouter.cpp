#include "mainwnd/HotKeyRouter.h"

#include "base/Messages.h"
#include "features/HotKeyStore.h"
#include "features/KeyState.h"
#include "features/rules/FavoriteShortcut.h"
#include "mainwnd/rules/HotKeyDispatch.h"

void HotKeyRouter::Reload() {
    m_keys = LoadHotKeySet();
    for (HWND frame : m_target.GameFrames()) ::PostMessageW(frame, WM_RELOAD_HOTKEYS, 0, 0);
}

void HotKeyRouter::OnHookAction(WPARAM action) {
    if (m_target.TabCount() == 0) return;
    switch (static_cast<HookAction>(action)) {
        case HookAction::ToggleHide:
            m_target.ToggleHide();
            break;
        case HookAction::ToggleMute:
            m_target.ToggleMute();
            break;
        case HookAction::TakeScreenshot:
            m_target.CaptureCurrentTab();
            break;
        default:
            break;
    }
}

bool HotKeyRouter::PreTranslate(const MSG& msg) {
    const UINT message = msg.message;
    const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool favoriteChar = message == WM_CHAR && IsAddFavoriteChar(msg.wParam, msg.lParam);
    const KeyRoute route =
        RouteMainWindowKey(message, static_cast<int>(msg.wParam), msg.lParam == kLauncherMarker, favoriteChar,
                           keyDown ? CurrentModifierBits() : 0, m_keys, m_target.TabCount() > 0);
    switch (route) {
        case KeyRoute::SwitchTab:
            m_target.SwitchToNextTab();
            return true;
        case KeyRoute::Swallow:
            return true;
        case KeyRoute::ToGamePage:
            if (HWND page = m_target.ShownGamePage()) ::PostMessageW(page, message, msg.wParam, msg.lParam);
            return true;
        case KeyRoute::PassOn:
        default:
            return false;
    }
}
