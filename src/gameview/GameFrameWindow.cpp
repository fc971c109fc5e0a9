#include "gameview/GameFrameWindow.h"

#include "base/CopyDataSend.h"
#include "base/Messages.h"
#include "base/RaiseWindow.h"
#include "features/FavoriteDialog.h"
#include "features/HotKeyStore.h"
#include "features/KeyState.h"
#include "features/rules/FavoriteShortcut.h"
#include "features/Screenshot.h"
#include "features/SoundMute.h"
#include "gameview/GameFrame.h"
#include "gameview/GameProcess.h"
#include "gameview/GamePageState.h"
#include "gameview/GamePageView.h"
#include "gameview/WebPageBox.h"

namespace {
HWND Host() { return TheGameProcess().m_hHostWnd; }
}  // namespace

BOOL GameFrameWindow::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.hMenu = nullptr;
    cs.cx = 10;
    cs.cy = 10;
    return CFrameWnd::PreCreateWindow(cs);
}

int GameFrameWindow::OnCreate(CREATESTRUCTW* cs) {
    // A tool window without caption or border: no taskbar button, nothing around the game.
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (Host() && ::IsWindow(Host())) {
        ::PostMessageW(Host(), WM_FRAME_CREATED, reinterpret_cast<WPARAM>(m_hWnd),
                       TheGameProcess().IsShowingDefaultPage() ? 1 : 0);
        ModifyStyle(WS_POPUP, WS_CHILD);
        ::SetParent(m_hWnd, Host());
    }
    m_keys = LoadHotKeySet();
    SetTimer(kTimerWatchHost, 800);
    return 0;
}

LRESULT GameFrameWindow::OnSetMute(WPARAM muted) {
    if (!m_mute.Take(static_cast<int>(muted))) return 0;
    SetSoundMute(static_cast<int>(muted));
    return 1;
}

void GameFrameWindow::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimerWatchHost:
            if (!::IsWindow(Host())) ::PostQuitMessage(0);
            break;
        case kTimerKillWebDialog:
            KillTimer(kTimerKillWebDialog);
            if (HWND box = FindWebPageMessageBox()) ::DestroyWindow(box);
            break;
        case kTimerRaiseHost:
            KillTimer(kTimerRaiseHost);
            // The host lives in another process; clicking the game must still bring it forward.
            RaiseAboveOthers(Host(), false);
            break;
        default:
            break;
    }
}

LRESULT GameFrameWindow::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data) return 0;
    const auto record =
        DecodeCopyDataText(kCopyScreenshotRequest, data->dwData, data->cbData, data->lpData, kMaxCopyDataChars);
    if (!record) return 0;
    m_shotRecord = *record;
    PostMessage(WM_TAKE_SCREENSHOT);
    return 1;
}

void GameFrameWindow::TakeRequestedScreenshot() {
    Browser* browser = g_gamePageView ? g_gamePageView->GetBrowser() : nullptr;
    const ScreenshotOutcome outcome =
        browser && browser->Window() ? TakeScreenshot(browser->Window(), m_shotRecord, ScreenshotFolder(), m_hWnd)
                                     : ScreenshotOutcome{false, L"游戏页面还没有打开。"};
    SendCopyDataText(Host(), m_hWnd, outcome.saved ? kCopyScreenshotSaved : kCopyScreenshotFailed, outcome.text,
                     kCopyDataTimeoutMs);
}

LRESULT GameFrameWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COPYDATA:
            return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_TAKE_SCREENSHOT:
            TakeRequestedScreenshot();
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SET_MUTE:
            return OnSetMute(wParam);
        case WM_SET_ZOOM:
            OnSetZoom(wParam);
            return 0;
        case WM_RELOAD_HOTKEYS:
            m_keys = LoadHotKeySet();
            return 0;
        case WM_MOUSEACTIVATE:
            SetTimer(kTimerRaiseHost, 10);
            break;
        case WM_SYSCOMMAND:
            // Also when the close command is sent, or arrives inside another modal loop,
            // where pre-translation never sees it.
            if ((wParam & 0xFFF0) == SC_CLOSE) SetTimer(kTimerKillWebDialog, 130);
            break;
        default:
            break;
    }
    return CFrameWnd::WindowProc(msg, wParam, lParam);
}

bool GameFrameWindow::ForwardSwitchKey(const MSG* msg) const {
    if (msg->lParam == kLauncherMarker) return false;
    if (!MatchesHotKey(m_keys.windowSwitch, static_cast<int>(msg->wParam), CurrentModifierBits())) return false;
    ::PostMessageW(Host(), msg->message, msg->wParam, msg->lParam);
    return true;
}

void GameFrameWindow::RefreshOnF5(const MSG* msg) const {
    if (!g_gamePageView) return;
    if (F5Refreshes(m_keys, msg->lParam == kLauncherMarker)) {
        g_gamePageView->Refresh();
    }
}

void GameFrameWindow::OnSetZoom(WPARAM zoom) {
    if (!g_gamePageView) return;
    if (zoom == kZoomFit) {
        g_gamePageView->SetZoom(zoom::Setting{zoom::kNormal, true});
    } else if (zoom::IsLevel(static_cast<int>(zoom))) {
        g_gamePageView->SetZoom(zoom::Setting{static_cast<int>(zoom), false});
    }
}

// The zoom keys act on this tab only while it has the keyboard (they are no hot keys), and
// never reach the page as well.
bool GameFrameWindow::StepZoomOnKey(const MSG* msg) const {
    if (!g_gamePageView) return false;
    std::optional<int> step;
    if (msg->message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(msg->wParam) & MK_CONTROL)) {
        step = GET_WHEEL_DELTA_WPARAM(msg->wParam) > 0 ? 1 : -1;
    } else if (msg->message == WM_KEYDOWN) {
        step = zoom::KeyStep(static_cast<int>(msg->wParam), ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_MENU) < 0);
    }
    if (!step) return false;
    g_gamePageView->StepZoom(*step);
    return true;
}

BOOL GameFrameWindow::PreTranslateMessage(MSG* msg) {
    if (StepZoomOnKey(msg)) return TRUE;
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (ForwardSwitchKey(msg)) return TRUE;
            if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
                RefreshOnF5(msg);
                return TRUE;
            }
            break;
        case WM_CHAR:
            if (IsAddFavoriteChar(msg->wParam, msg->lParam)) {
                const auto* page = static_cast<const GamePageState*>(GetActiveDocument());
                FavoriteDialog dlg(page ? page->m_strPageTitle : std::wstring(),
                                   page ? page->m_strPageUrl : std::wstring(), Host());
                dlg.DoModal();
                return TRUE;
            }
            break;
        case WM_SYSCOMMAND:
            if ((msg->wParam & 0xFFF0) == SC_CLOSE) SetTimer(kTimerKillWebDialog, 130);
            break;
        default:
            break;
    }
    return CFrameWnd::PreTranslateMessage(msg);
}
