// CBrindlow3Dlg: the launcher's main window. It holds up to three game tabs, each the
// frame window of a separate game process, shows one at a time below its tab strip, and
// owns the caption row, the tray icon and the keyboard hook.
#pragma once
#include "features/PopInfoDlg.h"
#include "framework/Controls.h"
#include "login/AddAccDlg.h"
#include "login/LoginDlg.h"
#include "mainwnd/rules/TabStrip.h"
#include "skin/BtnEx.h"
#include "skin/DlgEx.h"
#include "skin/StaticEx.h"

#include <string>
#include <vector>

class CSettingDlg;

// The main window's notice timer and the message its fetch thread answers with (lParam: a
// FetchedNotice the window takes over, or 0).
inline constexpr UINT_PTR kNoticeTimer = 4;
inline constexpr UINT kNoticeDelayMs = 10000;
inline constexpr UINT WM_NOTICE_FETCHED = WM_APP + 20;
extern CSettingDlg* g_pOpenSettingDlg;

class CBrindlow3Dlg : public CDlgEx {
public:
    CBrindlow3Dlg() noexcept;
    ~CBrindlow3Dlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter never closes the window
    void OnCancel() override;  // the close confirmation
    bool OnCommand(UINT id, UINT code, HWND control) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void SpawnGameProcess();
    bool StartUpdater();
    void ToggleHide();
    void BringToFront();
    void ReloadHotKeys();
    void ExitLauncher();
    void ShowTab(HWND frame);
    void SwitchToNextTab();
    void CloseTab(int index);
    void SetTrayIcon(bool add);
    void ShowSystemMenu();
    void ShowTrayMenu();
    void RepaintGameArea();

    [[nodiscard]] int TabCount() const noexcept { return static_cast<int>(m_arrTabWnds.size()); }

    HICON m_hIcon = nullptr;
    CBtnEx m_btnHide;
    CBtnEx m_btnSystem;
    CBtnEx m_btnSound;
    CStaticEx m_lblAddAccount;
    bool m_bMuted = false;
    OSVERSIONINFOW m_osvi{};
    HWND m_hHallWnd = nullptr;
    UniqueHandle m_hPendingProcess;
    std::vector<HWND> m_arrTabWnds;
    std::vector<std::wstring> m_arrTabNames;
    CImageList m_ilTabs;
    CImageList m_ilClose;
    int m_nCurTab = 0;
    tabs::HoverState m_hover;
    CToolTipCtrl m_tipTabs;
    bool m_bTrackingMouse = false;
    CAddAccDlg m_dlgAddAcc;
    CLoginDlg m_dlgPreload;
    CPopInfoDlg m_dlgPopInfo;

protected:
    void PaintContent(HDC dc) override;

private:
    void DoDataExchange() override;
    void DressWindow();
    void OnFrameCreated(HWND frame, bool hall);
    LRESULT OnLoginRecord(const COPYDATASTRUCT* data);
    void OnAddAccountChoice(WPARAM choice);
    // Runs the item a menu returned (0: dismissed).
    void RunMenuCommand(int id);
    void OnMuteTimer();
    void OnSize(UINT type, int cx);
    bool OnWindowPosChanging(WINDOWPOS* pos);
    void ShowAddAccountPrompt();
    void TerminatePendingProcess();

    // Notice (MainDlgNotice.cpp)
    void ArmNoticeTimer();
    void OnNoticeTimer();
    void OnNoticeFetched(LPARAM fetched);

    // Tab strip (MainDlgTabs.cpp)
    void BuildTabImages();
    void DrawTabStrip(HDC dc);
    LRESULT OnStripHitTest(LRESULT frameHit, POINT screen);
    void OnStripMouseLeave();
    void OnStripPress(POINT client);
    bool OnStripRelease(POINT client);
    void ApplyHover(const tabs::HoverUpdate& update);
    void InvalidateClient(const Rect& rc);
    [[nodiscard]] HWND CurrentFrame() const;

    UniqueIcon m_iconOwned;
    UniqueBitmap m_bmpHide, m_bmpSystem, m_bmpSoundOn, m_bmpSoundOff, m_bmpAddIcon;
    bool m_bSoundLookMuted = false;  // the sound button's look last shown
    int m_nLastWidth = 0;
    UniqueHandle m_hNoticeFetch;  // the notice fetch thread while it runs
};
