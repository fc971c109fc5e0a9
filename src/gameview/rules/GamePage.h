// What the game frame decides from plain values: which page is the hall, how the browser's
// host flags and the frame's place follow from it, when a mute state must be applied and
// whether a key press is one of the hot keys.
#pragma once
#include "features/rules/HotKeys.h"
#include "framework/rules/Geometry.h"

#include <string>

// The default (hall) page: "http://<client host>/webgame.htm".
std::wstring DefaultGamePageUrl(const std::wstring& clientHost);
// Exact comparison, letter case included: only the very address start-up chose is the hall.
bool IsDefaultGamePage(const std::wstring& url, const std::wstring& clientHost);

// Host-UI flags for the browser: a game page loses the 3-D border (0x4) and the scroll bars
// (0x8); the hall keeps the browser's own flags.
constexpr unsigned kHostFlagNo3DBorder = 0x4;
constexpr unsigned kHostFlagScrollNo = 0x8;
unsigned GameHostFlags(unsigned browserFlags, bool isDefaultPage);

// The host's game area inside its client rectangle: 4 pixels in at the sides and bottom,
// 30 below the top (the tab strip). Never inverted, however small the host is.
Rect GameAreaOf(const Rect& hostClient);

// Remembers the mute state last applied; the first state is always applied, even 0.
class MuteLatch {
public:
    // True when `muted` must be passed on now (and remembers it).
    bool Take(int muted) noexcept;

private:
    bool m_bApplied = false;
    int m_nLast = 0;
};

// F5 refreshes unless plain F5 is the boss, the sound or the screenshot key; then only the
// launcher's own F5 (lParam 7351, the host's menu item) does.
bool F5Refreshes(const HotKeySet& keys, bool fromLauncher) noexcept;
