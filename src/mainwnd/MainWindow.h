// MainWindow: the launcher's main window. It holds up to three game tabs, each the
// frame window of a separate game process, shows one at a time below its tab strip, and
// owns the caption row, the tray icon and the keyboard hook.
#pragma once
#include "features/NoticePopup.h"
#include "features/Screenshot.h"
#include "framework/Controls.h"
#include "login/AnotherAccountDialog.h"
#include "login/LoginPageDialog.h"
#include "mainwnd/HotKeyRouter.h"
#include "mainwnd/TabStrip.h"
#include "mainwnd/TrayIcon.h"
#include "skin/SkinnedButton.h"
#include "skin/SkinnedDialog.h"
#include "skin/SkinnedLabel.h"

#include <string>
#include <vector>

class SettingsDialog;
extern SettingsDialog* g_openSettingsDialog;

// Messages the main window posts to itself (WM_APP range, never sent across processes; the
// WM_USER ones of base/Messages.h are shared with the game processes and the shell):
//   WM_HOOK_ACTION  keyboard hook -> main window; wParam: the HookAction to run. The hook only
//                   posts it, since the system drops a low-level hook that is slow to return.
//   WM_NOTICE_FETCHED  notice fetch thread -> main window; lParam: a FetchedNotice the window
//                   takes over, or 0 when there is nothing to show.
//   WM_UPDATE_CHECKED  the menu's update check thread -> main window; wParam 1 when another
//                   build is published, else 0.
//   WM_SCREENSHOT_DONE  main window -> itself once a tab frame's screenshot reply is stored,
//                   so the reply's sender never waits on the balloon or the box.
//   WM_FINISH_START  main window -> itself once it exists: what the start does after it.
constexpr UINT WM_HOOK_ACTION = WM_APP + 1;
constexpr UINT WM_NOTICE_FETCHED = WM_APP + 2;
constexpr UINT WM_UPDATE_CHECKED = WM_APP + 3;
constexpr UINT WM_SCREENSHOT_DONE = WM_APP + 4;
constexpr UINT WM_FINISH_START = WM_APP + 5;

class MainWindow : public SkinnedDialog, private HotKeyTarget {
public:
    MainWindow() noexcept;
    ~MainWindow() override;

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter never closes the window
    void OnCancel() override;  // the close confirmation
    bool OnCommand(UINT id, UINT code, HWND control) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void SpawnGameProcess();
    bool StartUpdater();
    void ToggleHide() override;
    void ReloadHotKeys() { m_keyRouter.Reload(); }
    void ExitLauncher();
    void ShowTab(HWND frame);
    void SwitchToNextTab() override;
    void CloseTab(int index);
    void SetTrayIcon(bool add);
    void ShowSystemMenu();
    void ShowTrayMenu();
    // Asks the current tab's game process for a screenshot (the menu item and the key).
    void CaptureCurrentTab() override { CaptureTab(m_strip.Current()); }
    void CaptureTab(int index);
    void RepaintGameArea();

    [[nodiscard]] int TabCount() const noexcept override { return m_strip.Count(); }

    HICON m_hIcon = nullptr;
    SkinnedButton m_btnHide;
    SkinnedButton m_btnSystem;
    SkinnedButton m_btnSound;
    SkinnedLabel m_lblAddAccount;
    bool m_bMuted = false;
    OSVERSIONINFOW m_osvi{};
    HWND m_hHallWnd = nullptr;
    AnotherAccountDialog m_anotherAccountDialog;
    LoginPageDialog m_dlgPreload;
    NoticePopup m_noticePopup;

protected:
    void PaintContent(HDC dc) override;

    static constexpr UINT_PTR kTimerMuteSync = 3;  // 400 ms: mute state, ended games, tray icon
    static constexpr UINT_PTR kTimerNotice = 4;

private:
    void DoDataExchange() override;
    // A mouse message's point in client coordinates, for client and non-client messages alike.
    [[nodiscard]] POINT ClientPointOf(UINT msg, LPARAM lParam) const;
    void DressWindow();
    void OnFinishStart();

    // Game processes and the tab list (MainWindowGames.cpp)
    void OnFrameCreated(HWND frame, bool hall);
    LRESULT OnLoginRecord(const COPYDATASTRUCT* data);
    // Drops tabs and waiting records whose game process ended or whose frame is gone.
    void DropEndedGames();
    [[nodiscard]] HWND FrameAt(int index) const { return m_strip.FrameAt(index); }
    [[nodiscard]] HWND CurrentFrame() const { return m_strip.CurrentFrame(); }
    [[nodiscard]] bool HallShown() const { return m_hHallWnd && ::IsWindowVisible(m_hHallWnd); }

    // Screenshots (MainWindowScreenshot.cpp)
    LRESULT OnCopyData(HWND sender, const COPYDATASTRUCT* data);
    LRESULT OnScreenshotReply(HWND sender, const COPYDATASTRUCT* data);
    void OnScreenshotDone();
    void ShowScreenshotFailure(const std::wstring& reason);
    void ShowLastScreenshotInFolder() const;

    // What the keys act on, besides the public actions (MainWindowKeys.cpp)
    void ToggleMute() override;
    [[nodiscard]] std::vector<HWND> GameFrames() const override;
    [[nodiscard]] HWND ShownGamePage() const override;

    void OnAddAccountChoice(WPARAM choice);
    // Runs the item a menu returned (0: dismissed).
    void RunMenuCommand(int id);
    void OnUpdateChecked(bool published);
    void OnMuteTimer();
    void OnSize(UINT type, int cx);
    bool OnWindowPosChanging(WINDOWPOS* pos);
    void ShowAddAccountPrompt();

    // Notice (MainWindowNotice.cpp)
    void ArmNoticeTimer();
    void OnNoticeTimer();
    void OnNoticeFetched(LPARAM fetched);

    // What a press on the tab strip shows or closes (MainWindowTabs.cpp)
    void OnStripPress(POINT client);
    bool OnStripRelease(POINT client);

    // A tab's own menu and view: muted, zoomed, remembered for its account (MainWindowTabMenu.cpp)
    void ShowTabMenu(int index);
    void RunTabMenuCommand(HWND frame, int id);
    void SetTabView(int index, const tabs::TabView& view);
    // A tab that joins gets what its account had last.
    void ApplyRememberedView(HWND frame);
    void OnTabZoom(WPARAM shown, HWND frame);
    void PostMuteState(int index) const;

    UniqueIcon m_iconOwned;
    // The tabs, their game processes and the strip that shows them.
    TabStrip m_strip;
    UniqueBitmap m_bmpHide, m_bmpSystem, m_bmpSoundOn, m_bmpSoundOff, m_bmpAddIcon;
    bool m_bSoundLookMuted = false;  // the sound button's look last shown
    bool m_bRunning = false;         // a first tab has registered: maximised, tray icon, timer
    bool m_bExiting = false;         // the exit has begun: a late answer (the update check) is dropped
    TrayIcon m_tray;
    HotKeyRouter m_keyRouter{*this};
    int m_nLastWidth = 0;
    HWND m_menuFrame = nullptr;   // the frame of the tab whose menu is open
    UniqueHandle m_hNoticeFetch;  // the notice fetch thread while it runs
    ScreenshotOutcome m_shotReply;  // the last screenshot reply from a tab's game process
    std::wstring m_strLastShot;     // the last saved file, shown when its balloon is clicked
};
