// Skinned controls look transparent by letting the parent paint its
// background into their off-screen surface first.
#pragma once

#include "framework/rules/Geometry.h"

namespace skin {

// The origin to give the control's off-screen surface while the parent
// paints into it, so the parent's pixel under the control's top-left corner
// lands at (0, 0). Both rectangles are window rectangles in screen coordinates.
inline Point ParentBackgroundOrigin(const Rect& controlWindow, const Rect& parentWindow) {
    return Point{parentWindow.left - controlWindow.left, parentWindow.top - controlWindow.top};
}

}  // namespace skin
