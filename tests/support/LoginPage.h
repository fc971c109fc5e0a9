// The login road from outside: a game process's login page (the scripted page of the test
// build), the "app:" addresses it navigates to, and the main window's add-account prompt.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The scripted page inside a process's login window (null until it exists).
HWND FindLoginPage(DWORD pid);
HWND WaitForLoginPage(DWORD pid, DWORD ms);
// The scripted page inside the process's top-level window owned by `owner` (an
// authorisation window, say), or null.
HWND BrowserOwnedBy(DWORD pid, HWND owner);
// Makes the page navigate, as the operator's script does.
void PageNavigates(HWND page, const std::wstring& url);
// Makes an inner frame of the page, now showing frameUrl, navigate to url.
void FrameNavigates(HWND page, const std::wstring& frameUrl, const std::wstring& url);

// A game page on the dev service for the server number.
std::wstring GamePage(const wchar_t* server);
// "app://loadgame/<record>|<game page>" with the record percent-encoded as UTF-8.
std::wstring LoadGameAddress(const std::wstring& record, const wchar_t* server);

// The window of the process that is a child of the main window: its game frame.
HWND FrameOf(DWORD pid, HWND mainWindow);
// Waits until the game frame of `game` is the main window's shown tab; false after the time.
bool WaitForShownFrame(DWORD game, HWND mainWindow, DWORD ms);
// A child process of `parent` that is not among `known` (0 when none starts in time).
DWORD WaitForNewChildProcess(DWORD parent, const std::vector<DWORD>& known, DWORD ms);

// Clicks "登录其他账号" on the main window's caption row and waits for the prompt it drops
// down (null when it does not show in time).
HWND OpenAddAccountPrompt(DWORD launcherPid, HWND mainWindow, DWORD ms);
