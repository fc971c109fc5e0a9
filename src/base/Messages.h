// Window messages between the windows of the launcher, also across its processes.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 1;         // shell -> main window
constexpr UINT WM_FRAME_CREATED = WM_USER + 2;       // game frame -> its main window
constexpr UINT WM_SHOW_TRAY_MENU = WM_USER + 3;      // main window -> itself
constexpr UINT WM_HOTKEYS_CHANGED = WM_USER + 4;     // settings dialog -> every main window
constexpr UINT WM_SET_MUTE = WM_USER + 5;            // main window -> each tab frame
constexpr UINT WM_ADD_ACCOUNT_CHOICE = WM_USER + 6;  // add-account prompt -> main window
constexpr UINT WM_RELOAD_HOTKEYS = WM_USER + 7;      // main window -> tab and hall frames
constexpr UINT WM_TAKE_SCREENSHOT = WM_USER + 8;     // tab frame -> itself, after the host's request
// main window -> a tab frame: wParam the page zoom in per cent, or kZoomFit.
constexpr UINT WM_SET_ZOOM = WM_USER + 9;
// tab frame -> its main window, whenever its zoom changes or its page can first be zoomed:
// wParam the zoom it shows (per cent, kZoomFit, or kZoomUnavailable), lParam the frame.
constexpr UINT WM_TAB_ZOOM = WM_USER + 10;
constexpr WPARAM kZoomFit = 0;
constexpr WPARAM kZoomUnavailable = 1;

// Copy-data messages between the launcher's processes (kinds in base/rules/CopyDataText.h):
// the longest text accepted, and how long a sender waits for the receiver.
constexpr std::size_t kMaxCopyDataChars = 1024;
constexpr UINT kCopyDataTimeoutMs = 5000;

// lParam of key presses and close requests the launcher makes itself.
constexpr LPARAM kLauncherMarker = 7351;
