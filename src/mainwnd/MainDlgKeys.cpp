// The main window's keys: the hot keys it loads and hands to its frames, what the system-wide
// hook asks of it, and the keys it routes before the dialog sees them.
#include "mainwnd/MainDlg.h"

#include "base/Messages.h"
#include "features/HotKeyStore.h"
#include "features/KeyState.h"
#include "features/rules/FavoriteShortcut.h"
#include "mainwnd/KeyboardHook.h"
#include "mainwnd/rules/HotKeyDispatch.h"

void CBrindlow3Dlg::ReloadHotKeys() {
    g_keyBoss = LoadHotKey(HotKeyField::Boss);
    g_keySwitch = LoadHotKey(HotKeyField::Switch);
    for (int i = 0; i < TabCount(); ++i) ::PostMessageW(FrameAt(i), WM_RELOAD_HOTKEYS, 0, 0);
    if (m_hHallWnd) ::PostMessageW(m_hHallWnd, WM_RELOAD_HOTKEYS, 0, 0);
    g_keySound = LoadHotKey(HotKeyField::Sound);
    g_keyShot = LoadHotKey(HotKeyField::Shot);
}

void CBrindlow3Dlg::OnHookAction(WPARAM action) {
    if (TabCount() == 0) return;  // the login stage: the hot keys do nothing yet
    if (action == static_cast<WPARAM>(HookAction::ToggleHide)) ToggleHide();
    if (action == static_cast<WPARAM>(HookAction::ToggleMute)) m_bMuted = !m_bMuted;
    if (action == static_cast<WPARAM>(HookAction::TakeScreenshot)) CaptureCurrentTab();
}

BOOL CBrindlow3Dlg::PreTranslateMessage(MSG* msg) {
    const UINT message = msg->message;
    // 1. The window-switch key, unless the launcher made the key press itself.
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && msg->lParam != kLauncherMarker &&
        MatchesHotKey(g_keySwitch, static_cast<int>(msg->wParam), CurrentModifierBits())) {
        SwitchToNextTab();
        return TRUE;
    }
    // 2. Esc and Space never reach the dialog.
    if (message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_SPACE)) return TRUE;
    // 3. Close requests.
    if (message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_CLOSE && msg->hwnd == m_hWnd) {
        if (msg->lParam == kLauncherMarker) {
            if (TabCount() == 0) {
                ExitLauncher();
                return TRUE;
            }
            if (ForgetNewestPendingProcess()) return TRUE;
        } else if (msg->lParam == 0 && TabCount() == 0) {
            TerminatePendingProcesses();
            ExitLauncher();
            return TRUE;
        }
    }
    // 4. F5 and Ctrl+D belong to the game page.
    if (TabCount() > 0 && ((message == WM_CHAR && IsAddFavoriteChar(msg->wParam, msg->lParam)) ||
                           (message == WM_KEYDOWN && msg->wParam == VK_F5))) {
        HWND frame = CurrentFrame();
        if (frame && ::IsWindowVisible(frame)) {
            ::PostMessageW(frame, message, msg->wParam, msg->lParam);
        } else if (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) {
            ::PostMessageW(m_hHallWnd, message, msg->wParam, msg->lParam);
        }
        return TRUE;
    }
    // 5. Restore before any tab exists.
    if (message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE && TabCount() == 0) ShowWindow(SW_RESTORE);
    // 6. The tab tooltip sees the mouse; strip moves arrive as non-client moves.
    if (m_tipTabs.m_hWnd) {
        if (message == WM_NCMOUSEMOVE && msg->hwnd == m_hWnd) {
            MSG client = *msg;
            const POINT pt = ClientPointOf(message, msg->lParam);
            client.message = WM_MOUSEMOVE;
            client.lParam = MAKELPARAM(pt.x, pt.y);
            m_tipTabs.RelayEvent(&client);
        } else {
            m_tipTabs.RelayEvent(msg);
        }
    }
    return CDlgEx::PreTranslateMessage(msg);
}
