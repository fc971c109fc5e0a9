// The tab strip in the main window's caption band: where each tab is drawn and hit, how
// hover and the close cross react to the mouse, and which tab is current after a change.
#pragma once
#include "framework/rules/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tabs {

constexpr int kStripLeft = 120;
constexpr int kTabWidth = 189;
constexpr int kTabHeight = 22;
constexpr int kStripTop = 3;
constexpr int kCloseSize = 13;
constexpr int kMaxTabs = 3;
constexpr int kTitleMaxWidth = 160;
constexpr size_t kTitleKeptChars = 18;

int TabLeft(int index);
Rect TabRect(int index);          // background and invalidation: (L, 3, L + 189, 25)
Rect TitleRect(int index, bool muted = false);  // (L + 16, 8, L + 176, 22); to L + 158 beside the mark
Rect MutedMarkRect(int index);    // 14 x 12 at (L + 160, 9): a muted tab's mark
Rect CloseCrossRect(int index);   // 13 x 13 at (L + 176, 3)
// From the strip's left to the right end of `count` tabs, 3..25: what a change repaints.
Rect StripRect(int rightEndTabs, int extraRight = 0);

// The band where the strip answers the mouse: x in (120, 120 + 189 n), y in [3, 24].
bool InBand(Point client, int count);
int TabAt(int x);
// The cross of the tab under the point, as pressed or hovered (y below 16).
bool OnCloseCross(Point client);

// Long records are cut to 18 characters and "..." when wider than 160 pixels.
std::wstring TabTitle(const std::wstring& record, const std::function<int(const std::wstring&)>& widthOf);

// What the mouse over the strip changes.
struct HoverState {
    int hotTab = -1;
    int closeState = -1;  // -1 none, 0 normal, 1 hover, 2 pressed
    bool tipActive = false;
};
enum class TipAction { None, ActivateWithText, Deactivate };
struct HoverUpdate {
    HoverState state;
    TipAction tip = TipAction::None;
    std::vector<Rect> invalidate;
};
HoverUpdate OnHover(const HoverState& current, Point client, int count, bool leftButtonDown);
// Mouse left the window: the hot tab is repainted and forgotten.
HoverUpdate OnMouseLeave(const HoverState& current);

// After closing tab `closed` of `countBefore` (at least two): the index of the tab that
// becomes current.
int CurrentAfterClose(int closed, int countBefore);
// The window-switch key: the next tab, wrapping.
int NextTab(int current, int count);

}  // namespace tabs
