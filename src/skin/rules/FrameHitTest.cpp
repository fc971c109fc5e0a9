#include "skin/rules/FrameHitTest.h"

namespace skin {
namespace {

bool InBand(int y, const FrameMetrics& m) { return !m.HasBand() || (y >= 0 && y < m.captionHeight); }

FrameHit ResizableHit(const FrameHitInput& in) {
    const int x = in.point.x, y = in.point.y;
    const int W = in.client.cx, H = in.client.cy;
    const int b = in.metrics.border;
    const bool top = y >= 0 && y < b;
    const bool bottom = y >= H - b && y < H;

    if (x >= 0 && x < b) return top ? FrameHit::TopLeft : bottom ? FrameHit::BottomLeft : FrameHit::Left;
    if (x >= W - b && x < W)
        return top ? FrameHit::TopRight : bottom ? FrameHit::BottomRight : FrameHit::Right;
    if (y >= 0 && y < kTopResizeRows) return FrameHit::Top;
    if (!in.metrics.HasBand() || y < in.metrics.captionHeight) return FrameHit::Caption;
    if (bottom) return FrameHit::Bottom;
    return FrameHit::Default;
}

}  // namespace

FrameHit HitTestFrame(const FrameHitInput& in) {
    if (in.maximized) return FrameHit::Default;
    if (in.resizable) return ResizableHit(in);
    return InBand(in.point.y, in.metrics) ? FrameHit::Caption : FrameHit::Default;
}

std::optional<int> HitCodeOf(FrameHit hit) {
    switch (hit) {
        case FrameHit::Caption: return kHtCaption;
        case FrameHit::Left: return kHtLeft;
        case FrameHit::Right: return kHtRight;
        case FrameHit::Top: return kHtTop;
        case FrameHit::TopLeft: return kHtTopLeft;
        case FrameHit::TopRight: return kHtTopRight;
        case FrameHit::Bottom: return kHtBottom;
        case FrameHit::BottomLeft: return kHtBottomLeft;
        case FrameHit::BottomRight: return kHtBottomRight;
        case FrameHit::Default: break;
    }
    return std::nullopt;
}

std::optional<unsigned> SizeCommandForHitCode(int hitCode) {
    if (hitCode < kHtLeft || hitCode > kHtBottomRight) return std::nullopt;
    // The edge numbers 1..8 follow the hit codes' order.
    return kSizeCommand + static_cast<unsigned>(hitCode - kHtLeft + 1);
}

bool NonClientDoubleClickToggles(int hitCode, bool resizable) {
    return resizable && hitCode == kHtCaption;
}

bool ClientDoubleClickToggles(Point point, const FrameMetrics& metrics, bool maximized) {
    return maximized && InBand(point.y, metrics);
}

}  // namespace skin
