// The skinned frame's own maximised state: the work-area bounds it starts
// with and the rectangle each toggle moves the window to.
#pragma once

#include "framework/rules/Geometry.h"

namespace skin {

struct FrameBounds {
    int maxWidth = 0;
    int maxHeight = 0;
    Rect restore;  // where "restore" always puts the window
};

// Largest size = the work area's; restore = the work area inset by an
// eighth of its width and height on every side.
FrameBounds InitialFrameBounds(const Rect& workArea);

// The work area, narrowed to maxWidth and lowered to maxHeight, centred, where
// the limit is smaller. A limit of zero or less is no limit.
Rect MaximizedRect(const Rect& workArea, int maxWidth, int maxHeight);

struct MaximizeToggle {
    Rect moveTo;
    bool maximized = false;  // new state; also selects the maximise button's look
};

MaximizeToggle ToggleMaximize(bool maximized, const FrameBounds& bounds, const Rect& currentWorkArea);

// The maximise button's tooltip in each state.
const wchar_t* MaximizeButtonTooltip(bool maximized);

}  // namespace skin
