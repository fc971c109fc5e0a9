#include "mainwnd/MainWindow.h"

#include "base/Log.h"

#include "base/Launch.h"
#include "base/Messages.h"
#include "base/OsVersion.h"
#include "base/Paths.h"
#include "base/RaiseWindow.h"
#include "features/SettingsDialog.h"
#include "framework/View.h"
#include "gameview/rules/GamePage.h"
#include "mainwnd/KeyboardHook.h"
#include "mainwnd/rules/LoginRecord.h"
#include "mainwnd/rules/MainLayout.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/SkinnedMessageBox.h"

#include <windowsx.h>

SettingsDialog* g_openSettingsDialog = nullptr;

namespace {
constexpr UINT kCmdHide = IDC_BTN_HIDE;
constexpr UINT kCmdSound = IDC_BTN_SOUND;
constexpr UINT kCmdSystem = IDC_BTN_SYSTEM;
constexpr UINT kCmdAddAccount = IDC_LBL_ADD_ACCOUNT;
}  // namespace

POINT MainWindow::ClientPointOf(UINT msg, LPARAM lParam) const {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // Non-client mouse messages carry screen coordinates.
    if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) ::ScreenToClient(m_hWnd, &pt);
    return pt;
}

MainWindow::MainWindow() noexcept : SkinnedDialog(IDD_MAIN), m_dlgPreload(LoginPageUrl()) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    g_mainWindow = this;
}

MainWindow::~MainWindow() {
    if (g_mainWindow == this) g_mainWindow = nullptr;
}

void MainWindow::DoDataExchange() {
    BindControl(IDC_BTN_HIDE, m_btnHide);
    BindControl(IDC_BTN_SOUND, m_btnSound);
    BindControl(IDC_BTN_SYSTEM, m_btnSystem);
    BindControl(IDC_LBL_ADD_ACCOUNT, m_lblAddAccount);
}

BOOL MainWindow::OnInitDialog() {
    // The title first, so the window is known by it from the moment it exists.
    SetWindowText(L"QuarnelHalvira");
    SkinnedDialog::OnInitDialog();
    m_iconOwned.Reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 16, 16, 0)));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconOwned ? m_iconOwned.Get() : m_hIcon));
    m_keyRouter.StartHook(m_hWnd);
    m_tray.Attach(m_hWnd, m_hIcon, WM_TRAY_NOTIFY);
    m_osvi = WindowsVersion();
    // The window stays one pixel until the first tab: what the user waits for is the login
    // window of the game process, not this window's skin. So the window is up at once, and
    // the game process starts before the skin is decoded.
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessage(WM_FINISH_START);
    return TRUE;
}

void MainWindow::OnFinishStart() {
    SpawnGameProcess();
    DressWindow();
    ReloadHotKeys();
    if (m_dlgPreload.Create(IDD_LOGIN, nullptr)) {
        m_dlgPreload.SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::DressWindow() {
    m_nTitleWeight = 600;
    SetStandardSkin(IDP_MAIN_FRAME, true);
    m_bResizable = true;
    HMODULE module = ::GetModuleHandleW(nullptr);
    SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);

    m_bmpHide = LoadSkinImage(module, IDP_HIDE_BUTTON);
    m_bmpSoundOn = LoadSkinImage(module, IDP_SOUND_ON);
    m_bmpSoundOff = LoadSkinImage(module, IDP_SOUND_OFF);
    m_bmpSystem = LoadSkinImage(module, IDP_SYSTEM_BUTTON);
    m_bmpAddIcon = LoadSkinImage(module, IDP_ADD_ACCOUNT_ICON);
    m_btnHide.SetSkinBitmap(m_bmpHide.Get(), false);
    m_btnSound.SetSkinBitmap(m_bmpSoundOn.Get(), false);
    m_btnSystem.SetSkinBitmap(m_bmpSystem.Get(), false);
    m_btnSystem.m_crText = RGB(255, 255, 255);
    m_lblAddAccount.m_crText = RGB(255, 255, 255);
    m_lblAddAccount.m_bUnderline = true;
    m_lblAddAccount.m_bHandCursor = true;
    m_lblAddAccount.ModifyStyle(0, SS_NOTIFY);
    m_lblAddAccount.SetImage(m_bmpAddIcon.Get());
    m_strip.Create(m_hWnd);
}

bool MainWindow::StartUpdater() { return StartLauncherProcess(mainwnd::UpdaterCommandLine(GetExePath())).IsValid(); }

void MainWindow::ExitLauncher() {
    m_bExiting = true;
    m_strip.TerminatePendingProcesses();
    m_keyRouter.StopHook();
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

void MainWindow::OnCancel() {
    RaiseAboveOthers(m_hWnd, true);
    if (ShowSkinnedMessageBox(MB_YESNO, L"窗口即将关闭，确定要退出游戏？", m_hWnd) == IDYES) ExitLauncher();
}

void MainWindow::ToggleMute() {
    m_bMuted = !m_bMuted;
    Log(m_bMuted ? L"every tab muted (sound button or key)" : L"sound on again (sound button or key)");
}

void MainWindow::ToggleHide() {
    Log(IsWindowVisible() ? L"hidden (boss key or menu)" : L"shown again (boss key or menu)");
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        if (m_anotherAccountDialog.m_hWnd) m_anotherAccountDialog.ShowWindow(SW_HIDE);
        m_noticePopup.HideWithOwner();
        if (g_openSettingsDialog && g_openSettingsDialog->m_hWnd && g_openSettingsDialog->IsWindowVisible()) {
            g_openSettingsDialog->EndDialog(IDCANCEL);
        }
        return;
    }
    ShowWindow(SW_RESTORE);
    RaiseAboveOthers(m_hWnd, true);
    m_noticePopup.ShowWithOwner();
}

void MainWindow::OnAddAccountChoice(WPARAM choice) {
    if (choice == 1) {
        if (TabCount() < tabs::kMaxTabs) {
            SpawnGameProcess();
        } else {
            ShowSkinnedMessageBox(MB_OK, L"当前窗体只支持3个游戏页", m_hWnd);
        }
    } else if (choice == 0) {
        LaunchSelf(nullptr);
    }
}

void MainWindow::ShowAddAccountPrompt() {
    if (!m_anotherAccountDialog.m_hWnd && !m_anotherAccountDialog.Create(IDD_ADD_ACCOUNT, m_hWnd)) return;
    const RECT label = m_lblAddAccount.GetWindowRect();
    const RECT prompt = m_anotherAccountDialog.GetWindowRect();
    m_anotherAccountDialog.SetWindowPos(nullptr, label.right - (prompt.right - prompt.left), label.bottom, 0, 0,
                                        SWP_NOSIZE | SWP_NOZORDER);
    m_anotherAccountDialog.ShowWindow(SW_SHOW);
}

void MainWindow::SetTrayIcon(bool add) {
    if (add) {
        m_tray.Add();
    } else {
        m_tray.Remove();
    }
}

void MainWindow::OnMuteTimer() {
    m_tray.Retry();  // the shell may not have been ready
    for (int i = 0; i < TabCount(); ++i) PostMuteState(i);
    if (m_bMuted != m_bSoundLookMuted) {
        m_bSoundLookMuted = m_bMuted;
        m_btnSound.SetSkinBitmap(m_bMuted ? m_bmpSoundOff.Get() : m_bmpSoundOn.Get(), false);
        m_btnSound.Invalidate(FALSE);
    }
    DropEndedGames();  // last: it may ask the close question when no tab is left
}

void MainWindow::OnSize(UINT type, int cx) {
    const RECT client = GetClientRect();
    const Rect area = GameAreaOf(Rect{0, 0, client.right, client.bottom});
    if (HallShown()) {
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

bool MainWindow::OnWindowPosChanging(WINDOWPOS* pos) {
    if (!pos || (pos->flags & SWP_NOSIZE)) return false;
    const auto fixed = mainwnd::MinimumSizeFix(Size{pos->cx, pos->cy}, TabCount());
    if (!fixed) return false;
    pos->cx = fixed->cx;
    pos->cy = fixed->cy;
    return true;
}

void MainWindow::RepaintGameArea() {
    HWND view = ::FindWindowExW(CurrentFrame(), nullptr, kFrameOrViewClass, L"");
    HWND embedding = view ? ::FindWindowExW(view, nullptr, L"Shell Embedding", L"") : nullptr;
    HWND docView = embedding ? ::FindWindowExW(embedding, nullptr, L"Shell DocObject View", L"") : nullptr;
    HWND server = docView ? ::FindWindowExW(docView, nullptr, L"Internet Explorer_Server", L"") : nullptr;
    if (!server) return;
    ::InvalidateRect(server, nullptr, TRUE);
    if (HWND flash = ::FindWindowExW(server, nullptr, L"MacromediaFlashPlayerActiveX", nullptr)) {
        ::InvalidateRect(flash, nullptr, TRUE);
    }
}

bool MainWindow::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
        case kCmdHide:
            ToggleHide();
            return true;
        case kCmdSound:
            ToggleMute();
            return true;
        case kCmdSystem:
            ShowSystemMenu();
            return true;
        case kCmdAddAccount:
            ShowAddAccountPrompt();
            return true;
        default:
            return SkinnedDialog::OnCommand(id, code, control);
    }
}

LRESULT MainWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
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
        case WM_FINISH_START:
            OnFinishStart();
            return 0;
        case WM_HOOK_ACTION:
            m_keyRouter.OnHookAction(wParam);
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
            const LRESULT result = SkinnedDialog::WindowProc(msg, wParam, lParam);
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam));
            return result;
        }
        case WM_WINDOWPOSCHANGING:
            if (OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam))) return 0;
            break;
        case WM_SYSCOMMAND: {
            const LRESULT result = SkinnedDialog::WindowProc(msg, wParam, lParam);
            if ((wParam & 0xFFF0) == SC_RESTORE && TabCount() > 0) RepaintGameArea();
            return result;
        }
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(m_hIcon);
        case WM_NCHITTEST: {
            const LRESULT hit = SkinnedDialog::WindowProc(msg, wParam, lParam);
            return m_strip.OnHitTest(hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        case WM_MOUSELEAVE:
            m_strip.OnMouseLeave(true);
            break;
        case WM_NCMOUSELEAVE:
            m_strip.OnMouseLeave(false);
            break;
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN: {
            const POINT pt = ClientPointOf(msg, lParam);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                OnStripPress(pt);
                if (msg == WM_NCLBUTTONDOWN) return 0;  // a press on the strip does not drag
            }
            break;
        }
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP: {
            const POINT pt = ClientPointOf(msg, lParam);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                if (OnStripRelease(pt) || msg == WM_NCLBUTTONUP) return 0;
            }
            break;
        }
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK: {
            const POINT pt = ClientPointOf(msg, lParam);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) return 0;
            break;
        }
        case WM_TAB_ZOOM:
            OnTabZoom(wParam, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_RBUTTONUP:
        case WM_NCRBUTTONUP: {
            const POINT pt = ClientPointOf(msg, lParam);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                const int tab = tabs::TabAt(pt.x);
                if (tab >= 0 && tab < TabCount()) ShowTabMenu(tab);
                return 0;  // outside any tab: nothing, not the caption's menu either
            }
            break;
        }
        case WM_MBUTTONUP:
        case WM_NCMBUTTONUP: {
            const POINT pt = ClientPointOf(msg, lParam);
            if (tabs::InBand(Point{pt.x, pt.y}, TabCount())) {
                CloseTab(tabs::TabAt(pt.x));
                return 0;
            }
            break;
        }
        default:
            if (m_tray.OnShellMessage(msg)) return 0;
            break;
    }
    return SkinnedDialog::WindowProc(msg, wParam, lParam);
}
