// Which window pixels a frame image's magenta corners cut out of the
// window region, at any window size.
#pragma once

#include <functional>
#include <vector>

#include "framework/rules/Geometry.h"

namespace skin {

// True when the frame image's pixel (x, y) is exactly RGB(255, 0, 255).
using MagentaProbe = std::function<bool(int x, int y)>;

constexpr int kRegionCornerSize = 9;

// The window pixels to remove, sorted by row then column, without duplicates.
// Each 9 x 9 corner square of the image (smaller when the image is) keeps its
// distance to its own two window edges: the image's last column lands on the
// window's last column and its last row on the window's last row.
std::vector<Point> RegionCutPixels(Size image, Size window, const MagentaProbe& isMagenta);

// The same pixels merged into one-row runs, fewer pieces to subtract from
// the window's rectangle.
std::vector<Rect> RegionCutRuns(Size image, Size window, const MagentaProbe& isMagenta);

}  // namespace skin
