#include "mainwnd/MainDlg.h"

#include "base/Launch.h"
#include "base/Messages.h"
#include "base/OsVersion.h"
#include "base/Paths.h"
#include "features/HotKeyStore.h"
#include "features/KeyState.h"
#include "features/SettingDlg.h"
#include "mainwnd/KeyboardHook.h"
#include "mainwnd/rules/HotKeyDispatch.h"
#include "mainwnd/rules/LoginRecord.h"
#include "mainwnd/rules/MainLayout.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/MessageBox.h"

#include <windowsx.h>

CSettingDlg* g_pOpenSettingDlg = nullptr;

namespace {
constexpr UINT kCmdHide = IDC_BTN_HIDE;
constexpr UINT kCmdSound = IDC_BTN_SOUND;
constexpr UINT kCmdSystem = IDC_BTN_SYSTEM;
constexpr UINT kCmdAddAccount = IDC_LBL_ADD_ACCOUNT;

void RaiseWithoutMoving(HWND hwnd) {
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE;
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
    ::SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}
}  // namespace

CBrindlow3Dlg::CBrindlow3Dlg() noexcept : CDlgEx(IDD_MAIN), m_dlgPreload(LoginPageUrl()) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    g_pMainDlg = this;
}

CBrindlow3Dlg::~CBrindlow3Dlg() {
    if (g_pMainDlg == this) g_pMainDlg = nullptr;
}

void CBrindlow3Dlg::DoDataExchange() {
    BindControl(IDC_BTN_HIDE, m_btnHide);
    BindControl(IDC_BTN_SOUND, m_btnSound);
    BindControl(IDC_BTN_SYSTEM, m_btnSystem);
    BindControl(IDC_LBL_ADD_ACCOUNT, m_lblAddAccount);
}

BOOL CBrindlow3Dlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    m_iconOwned.Reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0)));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconOwned ? m_iconOwned.Get() : m_hIcon));
    g_hKeyboardHook = InstallKeyboardHook(m_hWnd);
    AllowTaskbarCreatedMessage();
    m_osvi = WindowsVersion();
    DressWindow();
    SpawnGameProcess();
    ReloadHotKeys();
    if (m_dlgPreload.Create(IDD_LOGIN, nullptr)) {
        m_dlgPreload.SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CBrindlow3Dlg::DressWindow() {
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetWindowText(L"QuarnelHalvira");
    m_nTitleWeight = 600;
    SetStandardSkin(IDP_MAIN_FRAME, true);
    m_bResizable = true;
    HMODULE module = ::GetModuleHandleW(nullptr);
    SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);

    m_bmpHide.Reset(LoadSkinImage(module, IDP_HIDE_BUTTON));
    m_bmpSoundOn.Reset(LoadSkinImage(module, IDP_SOUND_ON));
    m_bmpSoundOff.Reset(LoadSkinImage(module, IDP_SOUND_OFF));
    m_bmpSystem.Reset(LoadSkinImage(module, IDP_SYSTEM_BUTTON));
    m_bmpAddIcon.Reset(LoadSkinImage(module, IDP_ADD_ACCOUNT_ICON));
    m_btnHide.SetSkinBitmap(m_bmpHide.Get(), false);
    m_btnSound.SetSkinBitmap(m_bmpSoundOn.Get(), false);
    m_btnSystem.SetSkinBitmap(m_bmpSystem.Get(), false);
    m_btnSystem.m_crText = RGB(255, 255, 255);
    m_lblAddAccount.m_crText = RGB(255, 255, 255);
    m_lblAddAccount.m_bUnderline = true;
    m_lblAddAccount.m_bHandCursor = true;
    m_lblAddAccount.ModifyStyle(0, SS_NOTIFY);
    m_lblAddAccount.SetImage(m_bmpAddIcon.Get());
    BuildTabImages();
}

bool CBrindlow3Dlg::StartUpdater() { return StartLauncherProcess(mainwnd::UpdaterCommandLine(GetExePath())).IsValid(); }

void CBrindlow3Dlg::ReloadHotKeys() {
    g_keyBoss = LoadHotKey(HotKeyField::Boss);
    g_keySwitch = LoadHotKey(HotKeyField::Switch);
    for (int i = 0; i < TabCount(); ++i) ::PostMessageW(FrameAt(i), WM_RELOAD_HOTKEYS, 0, 0);
    if (m_hHallWnd) ::PostMessageW(m_hHallWnd, WM_RELOAD_HOTKEYS, 0, 0);
    g_keySound = LoadHotKey(HotKeyField::Sound);
    g_keyShot = LoadHotKey(HotKeyField::Shot);
}

void CBrindlow3Dlg::ExitLauncher() {
    TerminatePendingProcesses();
    RemoveKeyboardHook();
    for (int i = 0; i < TabCount(); ++i) {
        HWND frame = FrameAt(i);
        ::SetParent(frame, nullptr);
        ::ShowWindow(frame, SW_HIDE);
        ::PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    m_bRunning = false;  // no icon comes back from here on
    SetTrayIcon(false);
    ::PostQuitMessage(0);
}

void CBrindlow3Dlg::OnCancel() {
    RaiseWithoutMoving(m_hWnd);
    if (ShowSkinMsgBox(MB_YESNO, L"窗口即将关闭，确定要退出游戏？", m_hWnd) == IDYES) ExitLauncher();
}

void CBrindlow3Dlg::ToggleHide() {
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        if (m_dlgAddAcc.m_hWnd) m_dlgAddAcc.ShowWindow(SW_HIDE);
        if (g_pOpenSettingDlg && g_pOpenSettingDlg->m_hWnd && g_pOpenSettingDlg->IsWindowVisible()) {
            g_pOpenSettingDlg->EndDialog(IDCANCEL);
        }
        return;
    }
    ShowWindow(SW_RESTORE);
    BringToFront();
}

void CBrindlow3Dlg::BringToFront() {
    const DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const DWORD thisThread = ::GetCurrentThreadId();
    const bool attach = foregroundThread && foregroundThread != thisThread;
    if (attach) ::AttachThreadInput(thisThread, foregroundThread, TRUE);
    RaiseWithoutMoving(m_hWnd);
    ::SetForegroundWindow(m_hWnd);
    if (attach) ::AttachThreadInput(thisThread, foregroundThread, FALSE);
}

void CBrindlow3Dlg::OnHookAction(WPARAM action) {
    if (TabCount() == 0) return;  // the login stage: the hot keys do nothing yet
    if (action == static_cast<WPARAM>(HookAction::ToggleHide)) ToggleHide();
    if (action == static_cast<WPARAM>(HookAction::ToggleMute)) m_bMuted = !m_bMuted;
    if (action == static_cast<WPARAM>(HookAction::TakeScreenshot)) CaptureCurrentTab();
}

void CBrindlow3Dlg::OnAddAccountChoice(WPARAM choice) {
    if (choice == 1) {
        if (TabCount() < tabs::kMaxTabs) {
            SpawnGameProcess();
        } else {
            ShowSkinMsgBox(MB_OK, L"当前窗体只支持3个游戏页", m_hWnd);
        }
    } else if (choice == 0) {
        LaunchSelf(nullptr);
    }
}

void CBrindlow3Dlg::ShowAddAccountPrompt() {
    if (!m_dlgAddAcc.m_hWnd && !m_dlgAddAcc.Create(IDD_ADD_ACCOUNT, m_hWnd)) return;
    const RECT label = m_lblAddAccount.GetWindowRect();
    const RECT prompt = m_dlgAddAcc.GetWindowRect();
    m_dlgAddAcc.SetWindowPos(nullptr, label.right - (prompt.right - prompt.left), label.bottom, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER);
    m_dlgAddAcc.ShowWindow(SW_SHOW);
}

void CBrindlow3Dlg::OnMuteTimer() {
    if (m_bRunning && !m_bTrayIconShown) SetTrayIcon(true);  // the shell may not have been ready
    for (int i = 0; i < TabCount(); ++i) ::PostMessageW(FrameAt(i), WM_SET_MUTE, m_bMuted ? 1 : 0, 0);
    if (m_bMuted != m_bSoundLookMuted) {
        m_bSoundLookMuted = m_bMuted;
        m_btnSound.SetSkinBitmap(m_bMuted ? m_bmpSoundOff.Get() : m_bmpSoundOn.Get(), false);
        m_btnSound.Invalidate(FALSE);
    }
    DropEndedGames();  // last: it may ask the close question when no tab is left
}

void CBrindlow3Dlg::OnSize(UINT type, int cx) {
    const RECT client = GetClientRect();
    const Rect area = tabs::GameArea(Size{client.right, client.bottom});
    if (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) {
        ::MoveWindow(m_hHallWnd, area.left, area.top, area.Width(), area.Height(), FALSE);
    } else if (TabCount() > 0 && type != SIZE_MINIMIZED) {
        ::MoveWindow(CurrentFrame(), area.left, area.top, area.Width(), area.Height(), FALSE);
    }
    if (cx != m_nLastWidth && m_btnHide.m_hWnd) {
        const mainwnd::CaptionRow row = mainwnd::CaptionRowFor(cx);
        auto place = [](CWnd& control, const Rect& r) {
            control.SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            control.Invalidate(TRUE);
        };
        place(m_btnHide, row.hide);
        place(m_btnSound, row.sound);
        place(m_btnSystem, row.system);
        place(m_lblAddAccount, row.addLabel);
        for (CWnd* button : {static_cast<CWnd*>(&m_btnClose), static_cast<CWnd*>(&m_btnMax),
                             static_cast<CWnd*>(&m_btnMin)}) {
            if (button->m_hWnd) button->Invalidate(TRUE);
        }
    }
    if (m_osvi.dwMajorVersion < 6 && cx < m_nLastWidth) {
        // Older systems leave the shrunk corner's old pixels on the desktop.
        const RECT window = GetWindowRect();
        const RECT corner{window.right - 4, window.top, window.right, window.top + 4};
        ::RedrawWindow(::GetDesktopWindow(), &corner, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    }
    m_nLastWidth = cx;
}

bool CBrindlow3Dlg::OnWindowPosChanging(WINDOWPOS* pos) {
    if (!pos || (pos->flags & SWP_NOSIZE)) return false;
    const auto fixed = mainwnd::MinimumSizeFix(Size{pos->cx, pos->cy}, TabCount());
    if (!fixed) return false;
    pos->cx = fixed->cx;
    pos->cy = fixed->cy;
    return true;
}

void CBrindlow3Dlg::RepaintGameArea() {
    HWND view = ::FindWindowExW(CurrentFrame(), nullptr, L"AfxFrameOrView90su", L"");
    HWND embedding = view ? ::FindWindowExW(view, nullptr, L"Shell Embedding", L"") : nullptr;
    HWND docView = embedding ? ::FindWindowExW(embedding, nullptr, L"Shell DocObject View", L"") : nullptr;
    HWND server = docView ? ::FindWindowExW(docView, nullptr, L"Internet Explorer_Server", L"") : nullptr;
    if (!server) return;
    ::InvalidateRect(server, nullptr, TRUE);
    if (HWND flash = ::FindWindowExW(server, nullptr, L"MacromediaFlashPlayerActiveX", nullptr)) {
        ::InvalidateRect(flash, nullptr, TRUE);
    }
}

bool CBrindlow3Dlg::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
        case kCmdHide:
            ToggleHide();
            return true;
        case kCmdSound:
            m_bMuted = !m_bMuted;
            return true;
        case kCmdSystem:
            ShowSystemMenu();
            return true;
        case kCmdAddAccount:
            ShowAddAccountPrompt();
            return true;
        default:
            return CDlgEx::OnCommand(id, code, control);
    }
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
    if (TabCount() > 0 && ((message == WM_CHAR && msg->wParam == 4 && HIWORD(msg->lParam) == 0x0020) ||
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
            POINT pt{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
            ::ScreenToClient(m_hWnd, &pt);
            client.message = WM_MOUSEMOVE;
            client.lParam = MAKELPARAM(pt.x, pt.y);
            m_tipTabs.RelayEvent(&client);
        } else {
            m_tipTabs.RelayEvent(msg);
        }
    }
    return CDlgEx::PreTranslateMessage(msg);
}

LRESULT CBrindlow3Dlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TRAY_NOTIFY:
            if (lParam == WM_LBUTTONUP) ToggleHide();
            if (lParam == WM_RBUTTONUP) PostMessage(WM_SHOW_TRAY_MENU);
            if (lParam == NIN_BALLOONUSERCLICK) ShowLastScreenshotInFolder();
            return 0;
        case WM_FRAME_CREATED:
            OnFrameCreated(reinterpret_cast<HWND>(wParam), lParam != 0);
            return 0;
        case WM_SHOW_TRAY_MENU:
            ShowTrayMenu();
            return 0;
        case WM_HOTKEYS_CHANGED:
            ReloadHotKeys();
            return 0;
        case WM_ADD_ACCOUNT_CHOICE:
            OnAddAccountChoice(wParam);
            return 0;
        case WM_UPDATE_CHECKED:
            OnUpdateChecked(wParam == 1);
            return 0;
        case WM_NOTICE_FETCHED:
            OnNoticeFetched(lParam);
            return 0;
        case WM_COPYDATA:
            return OnCopyData(reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_SCREENSHOT_DONE:
            OnScreenshotDone();
            return 0;
        case WM_HOOK_ACTION:
            OnHookAction(wParam);
            return 0;
        case WM_TIMER:
            if (wParam == kTimerMuteSync) {
                OnMuteTimer();
                return 0;
            }
            if (wParam == kTimerNotice) {
                OnNoticeTimer();
                return 0;
            }
            break;
        case WM_SIZE: {
            const LRESULT result = CDlgEx::WindowProc(msg, wParam, lParam);
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam));
            return result;
        }
        case WM_WINDOWPOSCHANGING:
            if (OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam))) return 0;
            break;
        case WM_SYSCOMMAND: {
            const LRESULT result = CDlgEx::WindowProc(msg, wParam, lParam);
            if ((wParam & 0xFFF0) == SC_RESTORE && TabCount() > 0) RepaintGameArea();
            return result;
        }
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(m_hIcon);
        case WM_NCHITTEST: {
            const LRESULT hit = CDlgEx::WindowProc(msg, wParam, lParam);
            return OnStripHitTest(hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        case WM_MOUSELEAVE:
            m_bTrackingMouse = false;
            OnStripMouseLeave();
            break;
        case WM_NCMOUSELEAVE:
            OnStripMouseLeave();
            break;
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (msg == WM_NCLBUTTONDOWN) ::ScreenToClient(m_hWnd, &pt);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                OnStripPress(pt);
                if (msg == WM_NCLBUTTONDOWN) return 0;  // a press on the strip does not drag
            }
            break;
        }
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (msg == WM_NCLBUTTONUP) ::ScreenToClient(m_hWnd, &pt);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                if (OnStripRelease(pt) || msg == WM_NCLBUTTONUP) return 0;
            }
            break;
        }
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (msg == WM_NCLBUTTONDBLCLK) ::ScreenToClient(m_hWnd, &pt);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) return 0;
            break;
        }
        case WM_MBUTTONUP:
        case WM_NCMBUTTONUP: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (msg == WM_NCMBUTTONUP) ::ScreenToClient(m_hWnd, &pt);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                CloseTab(tabs::TabAt(pt.x));
                return 0;
            }
            break;
        }
        default:
            if (msg == m_uTaskbarCreated && m_uTaskbarCreated != 0) {
                OnTaskbarCreated();
                return 0;
            }
            break;
    }
    return CDlgEx::WindowProc(msg, wParam, lParam);
}
