#include "skin/rules/FrameRegion.h"

#include <algorithm>
#include <tuple>

namespace skin {
namespace {

struct Span {
    int first = 0;  // image index range [first, last)
    int last = 0;
    int shift = 0;  // window position = image position + shift
};

// The near and the far span of one axis. They overlap when the image is
// shorter than two corner squares; a pixel in both is cut at both places.
std::vector<Span> CornerSpans(int imageLength, int windowLength) {
    const int n = std::min(kRegionCornerSize, std::max(imageLength, 0));
    if (n == 0) return {};
    return {Span{0, n, 0}, Span{imageLength - n, imageLength, windowLength - imageLength}};
}

}  // namespace

std::vector<Point> RegionCutPixels(Size image, Size window, const MagentaProbe& isMagenta) {
    std::vector<Point> cut;
    for (const Span& rows : CornerSpans(image.cy, window.cy)) {
        for (const Span& cols : CornerSpans(image.cx, window.cx)) {
            for (int y = rows.first; y < rows.last; ++y) {
                for (int x = cols.first; x < cols.last; ++x) {
                    const Point at{x + cols.shift, y + rows.shift};
                    const bool inWindow = at.x >= 0 && at.x < window.cx && at.y >= 0 && at.y < window.cy;
                    if (inWindow && isMagenta(x, y)) cut.push_back(at);
                }
            }
        }
    }
    const auto byRowThenColumn = [](const Point& a, const Point& b) {
        return std::tie(a.y, a.x) < std::tie(b.y, b.x);
    };
    std::sort(cut.begin(), cut.end(), byRowThenColumn);
    cut.erase(std::unique(cut.begin(), cut.end()), cut.end());
    return cut;
}

std::vector<Rect> RegionCutRuns(Size image, Size window, const MagentaProbe& isMagenta) {
    std::vector<Rect> runs;
    for (const Point& p : RegionCutPixels(image, window, isMagenta)) {
        if (!runs.empty() && runs.back().top == p.y && runs.back().right == p.x)
            ++runs.back().right;
        else
            runs.push_back(Rect::FromXYWH(p.x, p.y, 1, 1));
    }
    return runs;
}

}  // namespace skin
