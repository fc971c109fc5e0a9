// The main window's tabs: its one list of tabs (login record, frame, game process) with the
// handles that notice a game process's end, and the strip in the caption band that shows
// them (images, hover, close crosses, the record as a tooltip). Which frame is shown, the
// hall and the close questions are the main window's business.
#pragma once
#include "base/Handles.h"
#include "framework/Controls.h"
#include "mainwnd/GameProcessWatch.h"
#include "mainwnd/rules/TabList.h"
#include "mainwnd/rules/TabStrip.h"
#include "skin/CachedFont.h"

#include <optional>
#include <string>

class TabStrip {
public:
    // Loads the images and makes the tooltip for the strip drawn in `owner`'s client area.
    void Create(HWND owner);

    // The tabs
    [[nodiscard]] int Count() const noexcept { return m_tabs.Count(); }
    [[nodiscard]] int Current() const noexcept { return m_tabs.Current(); }
    [[nodiscard]] const tabs::GameTab* At(int index) const noexcept { return m_tabs.At(index); }
    [[nodiscard]] HWND FrameAt(int index) const;
    [[nodiscard]] HWND CurrentFrame() const { return FrameAt(Current()); }
    [[nodiscard]] bool IsTabFrame(HWND window) const;
    // The index of the tab `frame` shows; nothing when it is no tab's frame (any more).
    [[nodiscard]] std::optional<int> IndexOfFrame(HWND frame) const;
    // The tab's view (its mark shows while it is muted) and whether its page can be zoomed.
    void SetView(int index, const tabs::TabView& view);
    void SetCanZoom(int index, bool canZoom);

    // The game processes
    // A game process the window started, still logging in.
    void ProcessStarted(DWORD processId, UniqueHandle process);
    // Abandons the newest process still logging in; false when there is none.
    bool ForgetNewestPendingProcess();
    // Ends every process still logging in.
    void TerminatePendingProcesses();
    // A game process's login record: false when it is refused (already open or waiting).
    bool AcceptRecord(const std::wstring& record);
    [[nodiscard]] int RecordCount() const noexcept { return m_tabs.RecordCount(); }
    // A game frame joins as the last tab and the current one; its process holds its record.
    void RegisterFrame(HWND frame);
    // Takes away the tab of `frame`, which the user closed; its neighbour becomes current.
    // False when it is gone already or is the last tab.
    bool Close(HWND frame);
    // Drops tabs and waiting records whose game process ended, and tabs whose frame is gone;
    // true when a tab went.
    bool DropEnded();

    // The strip
    void Draw(HDC dc, const LOGFONTW& windowFont);
    // The window's hit test at a screen point, after the frame's own answer: hover follows.
    LRESULT OnHitTest(LRESULT frameHit, POINT screen);
    // trackingEnded: the leave tracking asked for in the hit test has ended.
    void OnMouseLeave(bool trackingEnded);
    // A message for the tooltip, mouse points in client coordinates.
    void RelayToTip(MSG msg);
    // Makes tab `index` current, repainting the old and the new one.
    void Select(int index);
    // The window-switch key: the next tab becomes current.
    void SelectNext();
    void PressCloseCross(int index);
    // Forgets the hot tab and its cross, repainting `area`.
    void ForgetHover(const Rect& area);

private:
    // The game processes worth watching are exactly those the tab list still holds.
    void KeepWatchingTabProcesses();
    void ForgetEndedStartedProcesses();
    void ApplyHover(const tabs::HoverUpdate& update);
    void Invalidate(const Rect& rc) const;

    HWND m_owner = nullptr;
    tabs::TabList m_tabs;
    GameProcessWatch m_games;
    CImageList m_ilTabs;
    CImageList m_ilClose;
    CImageList m_ilMuted;
    tabs::HoverState m_hover;
    CToolTipCtrl m_tipTabs;
    bool m_bTrackingMouse = false;
    CachedFont m_tabFont;
};
