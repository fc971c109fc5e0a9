#include "skin/rules/ProgressSplit.h"

#include <algorithm>
#include <cstdint>

namespace skin {

Rect ProgressBarRect(Size background, Size bar) {
    return Rect::FromXYWH((background.cx - bar.cx) / 2, (background.cy - bar.cy) / 2, bar.cx, bar.cy);
}

int ProgressFilledWidth(int barWidth, int lower, int upper, int position) {
    if (barWidth <= 0 || upper == lower) return 0;
    const std::int64_t span = std::int64_t{upper} - lower;
    std::int64_t done = std::int64_t{position} - lower;
    // Clamp within [0, span], or [span, 0] for a range that runs downwards.
    done = span > 0 ? std::clamp<std::int64_t>(done, 0, span) : std::clamp<std::int64_t>(done, span, 0);
    return static_cast<int>(barWidth * done / span);
}

std::vector<ProgressPiece> ProgressPieces(const Rect& barRect, int lower, int upper, int position) {
    const int width = barRect.Width();
    const int height = barRect.Height();
    const int filled = ProgressFilledWidth(width, lower, upper, position);
    const int half = filled / 2;
    const int rest = filled - half;

    std::vector<ProgressPiece> pieces;
    if (height <= 0) return pieces;
    if (half > 0)
        pieces.push_back({Rect{0, 0, half, height},
                          Rect::FromXYWH(barRect.left, barRect.top, half, height)});
    if (rest > 0)
        pieces.push_back({Rect{width - rest, 0, width, height},
                          Rect::FromXYWH(barRect.left + half, barRect.top, rest, height)});
    return pieces;
}

}  // namespace skin
