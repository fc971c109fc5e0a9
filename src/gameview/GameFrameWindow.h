// The game frame: a borderless tool window that joins the host main window as a child,
// forwards the window-switch key, refreshes on F5, saves favourites on Ctrl+D, applies the
// host's mute state and zoom (and zooms on Ctrl with the wheel, "=", "-" and "0"), takes screenshots of its page when the host asks, removes a web-page
// box while it closes and ends with its host.
#pragma once
#include "features/rules/HotKeys.h"
#include "framework/FrameWnd.h"
#include "gameview/rules/GamePage.h"

#include <string>

class GameFrameWindow : public CFrameWnd {
public:
    static constexpr UINT_PTR kTimerWatchHost = 2;       // 800 ms: the host still there?
    static constexpr UINT_PTR kTimerKillWebDialog = 5;   // 130 ms after a close command
    static constexpr UINT_PTR kTimerRaiseHost = 6;       // 10 ms after a mouse activation

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    int OnCreate(CREATESTRUCTW* cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnTimer(UINT_PTR id);
    // Answers 1 when the state was passed on to the sound muting, 0 when it was unchanged.
    LRESULT OnSetMute(WPARAM muted);
    // The host's zoom for this tab: a level in per cent, or fitted to the window.
    void OnSetZoom(WPARAM zoom);
    bool StepZoomOnKey(const MSG* msg) const;
    // The host's screenshot request: taken after the sent message returns, so the host never
    // waits on the capture. 1 when the request was well-formed.
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    void TakeRequestedScreenshot();
    bool ForwardSwitchKey(const MSG* msg) const;
    void RefreshOnF5(const MSG* msg) const;

    MuteLatch m_mute;
    HotKeySet m_keys;  // the host's hot keys, as this process last read them (one frame a process)
    std::wstring m_shotRecord;  // the login record the screenshot is named after
};
