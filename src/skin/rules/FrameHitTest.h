// Where the mouse is on a skinned frame: the hit-test answer, the size
// command a press on an edge starts, and which double-clicks toggle the
// frame's own maximised state.
#pragma once

#include <optional>

#include "framework/rules/Geometry.h"
#include "skin/rules/FrameMetrics.h"

namespace skin {

enum class FrameHit {
    Default,  // let the default handling answer
    Caption,
    Left,
    Right,
    Top,
    TopLeft,
    TopRight,
    Bottom,
    BottomLeft,
    BottomRight,
};

// The platform's non-client hit codes.
constexpr int kHtCaption = 2;
constexpr int kHtLeft = 10;
constexpr int kHtRight = 11;
constexpr int kHtTop = 12;
constexpr int kHtTopLeft = 13;
constexpr int kHtTopRight = 14;
constexpr int kHtBottom = 15;
constexpr int kHtBottomLeft = 16;
constexpr int kHtBottomRight = 17;

constexpr unsigned kSizeCommand = 0xF000;  // system size command; edge 1..8 added

// Rows at the top that resize a resizable frame, whatever its border.
constexpr int kTopResizeRows = 3;

struct FrameHitInput {
    Point point;   // client coordinates
    Size client;
    FrameMetrics metrics;
    bool maximized = false;
    bool resizable = false;
};

FrameHit HitTestFrame(const FrameHitInput& in);

// The hit code to answer, or nothing for FrameHit::Default.
std::optional<int> HitCodeOf(FrameHit hit);

// The size command (0xF001..0xF008) a left press on an edge hit code starts;
// nothing for any other code, which gets the default handling.
std::optional<unsigned> SizeCommandForHitCode(int hitCode);

// A non-client double-click on the caption maximises or restores a resizable frame.
bool NonClientDoubleClickToggles(int hitCode, bool resizable);

// A client double-click in the band (anywhere without a band) restores a
// maximised frame.
bool ClientDoubleClickToggles(Point point, const FrameMetrics& metrics, bool maximized);

}  // namespace skin
