// The image progress bar: the bar picture centred in the background, and
// the two pieces of it that show a position. The filled part always shows
// the picture's two ends; its middle is left out.
#pragma once

#include <vector>

#include "framework/rules/Geometry.h"

namespace skin {

// The bar picture's rectangle, centred in the background (may stick out
// when the bar is the larger).
Rect ProgressBarRect(Size background, Size bar);

// Width of the filled part: the bar width times the position's share of the
// range, truncated, in exact integer arithmetic so the full range fills the
// whole width. Positions outside the range count as its nearest end; an
// empty range fills nothing. The range may run either way.
int ProgressFilledWidth(int barWidth, int lower, int upper, int position);

struct ProgressPiece {
    Rect source;  // in the bar picture
    Rect dest;    // in the control
};

// The left piece (first half of the filled width, from the picture's left
// end) and the right piece (the rest, from the picture's right end), in that
// order; empty pieces are left out, so position 0 yields none.
std::vector<ProgressPiece> ProgressPieces(const Rect& barRect, int lower, int upper, int position);

}  // namespace skin
