// How a test drives the scripted browser of the test build from another process.
//
// The browser's window has the class kScriptedBrowserClass. WM_COPYDATA to it with one of
// the commands below plays "the page" doing something; the registered message
// kScriptedBrowserQueryMessage answers what the browser has seen.
#pragma once
#include <windows.h>

inline constexpr wchar_t kScriptedBrowserClass[] = L"QuarnelHalvira.ScriptedBrowser";
inline constexpr wchar_t kScriptedBrowserQueryMessage[] = L"QuarnelHalvira.ScriptedBrowser.Query";

// WM_COPYDATA dwData values; the data is UTF-16 text with or without its terminator.
enum ScriptedBrowserCommand : ULONG_PTR {
    kScriptNavigate = 0x51484E56,      // the page navigates to the address in the data
    kScriptAskBeforeLeave = 0x51484255, // the page asks the data's question before it is left
    kScriptSetTitle = 0x51485454,       // the page's script sets its title to the data
    // The page's server sets a cookie: the data is the page address, a line feed and the
    // cookie ("name=value"); it goes to the process's cookie store like a real response's.
    kScriptSetCookie = 0x51484343,
    // An inner frame of the page navigates: the data is the frame's current address, a line
    // feed and the address it navigates to. The scripted page has no frame content of its
    // own, so only the navigation's start (with its cancel) is played.
    kScriptNavigateFrame = 0x5148464E,
};

// wParam of the query message; the answer is the result.
enum ScriptedBrowserQuery : WPARAM {
    kQueryRefreshCount = 0,
    kQueryHostFlags = 1,
    kQuerySilent = 2,
    kQueryCompletedNavigations = 3,
    kQueryBodyScrollAuto = 4,  // 1 once the host set the page body's scroll to "auto"
    kQueryZoom = 5,            // the page's zoom in per cent
};

// The scripted page's own size at 100 %, what fitting it to a window measures: a game's.
inline constexpr SIZE kScriptedContentSize{960, 560};

// Title of the web-page message boxes the scripted page shows.
inline constexpr wchar_t kWebPageMessageTitle[] = L"来自网页的消息";
