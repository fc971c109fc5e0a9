// Drives a running launcher from outside, and plays a game process's part towards it.
#pragma once
#include "support/Process.h"

#include <initializer_list>
#include <string>
#include <vector>

// The processes the given one started (Wine's desktop process excepted).
std::vector<DWORD> ChildProcessesOf(DWORD parent);
void KillProcess(DWORD pid);
// The process and everything it started, children first.
void KillProcessTree(DWORD pid);

// The main window of a launcher process: top-level "#32770" titled "QuarnelHalvira".
HWND WaitForMainWindow(DWORD pid, DWORD ms);
RECT ClientRectOnScreen(HWND hwnd);
// A child window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);

// A message box of the process other than `except`, once it shows (null after the time).
HWND WaitForMessageBox(DWORD pid, HWND except, DWORD ms);

// The process's open popup menu (class "#32768"), or null.
HWND OpenMenuOf(DWORD pid);
// Picks an item of the process's open menu by keyboard, counting `moves` down (positive) or
// up (negative) from the first item (VK_HOME) or the last (VK_END): an item the resting
// mouse pointer happens to highlight must not shift the count. Keys go out only once the
// menu is open and its process has the keyboard; false when that never happened.
bool PickMenuItem(DWORD pid, WORD from, int moves);
// The same for any walk through the open menu (into a submenu, say): the keys in order, once
// the menu is open and its process has the keyboard.
bool WalkMenu(DWORD pid, std::initializer_list<WORD> keys);
// Opens a tab's own menu the way a user does, with a right click on the tab.
void RightClickTab(HWND main, int index);
// Opens the main window's "系统" menu the way a user does, by a click on its button: a menu
// opened by a posted command belongs to a window that may not have the keyboard.
void ClickSystemButton(HWND main);

// Sends a login record the way a login window does; returns the main window's answer.
LRESULT SendLoginRecord(HWND mainWindow, const std::wstring& record);

// A game frame stand-in: a window of this process that joins the main window as a tab.
class FakeGameFrame {
public:
    FakeGameFrame();
    ~FakeGameFrame();
    FakeGameFrame(const FakeGameFrame&) = delete;
    FakeGameFrame& operator=(const FakeGameFrame&) = delete;
    // Becomes a child of the main window and announces itself, as a game frame does.
    void Register(HWND mainWindow, bool hall = false);
    // Fills the main window's game area, as a game frame does once its page has loaded.
    void PlaceInGameArea(HWND mainWindow);
    HWND Handle() const noexcept { return m_hwnd; }
    int SysCloses() const noexcept { return m_sysCloses; }
    int MuteMessages() const noexcept { return m_muteMessages; }
    WPARAM LastMute() const noexcept { return m_lastMute; }
    // The zoom the main window set last (per cent, or 0 for fitted), and how often it did.
    WPARAM LastZoom() const noexcept { return m_lastZoom; }
    int ZoomMessages() const noexcept { return m_zoomMessages; }
    // Tells the main window the zoom it shows, as a game frame does (1: it cannot zoom).
    void ShowsZoom(HWND mainWindow, WPARAM shown) const;
    // Key messages the main window forwarded: (message, wParam, lParam).
    const std::vector<MSG>& ForwardedKeys() const noexcept { return m_keys; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    int m_sysCloses = 0;
    int m_muteMessages = 0;
    WPARAM m_lastMute = 0;
    int m_zoomMessages = 0;
    WPARAM m_lastZoom = ~WPARAM(0);
    std::vector<MSG> m_keys;
};
