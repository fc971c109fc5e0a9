#include "skin/rules/CaptionButtons.h"

#include "skin/rules/ButtonStates.h"

namespace skin {
namespace {

// Places buttons right to left, each left of the one before.
class RightToLeftRow {
public:
    RightToLeftRow(int width, const FrameMetrics& metrics)
        : nextRight_(width - metrics.buttonRight), gap_(metrics.buttonGap) {}

    std::optional<Rect> Place(const std::optional<Size>& size, int top) {
        if (!size) return std::nullopt;
        const Rect r = Rect::FromXYWH(nextRight_ - size->cx, top, size->cx, size->cy);
        nextRight_ = r.left - gap_;
        return r;
    }

private:
    int nextRight_;
    int gap_;
};

std::optional<Size> ButtonSize(const std::optional<Size>& strip) {
    if (!strip) return std::nullopt;
    return StatePictureSize(*strip);
}

std::optional<Size> SizeOf(const std::optional<Rect>& r) {
    if (!r) return std::nullopt;
    return Size{r->Width(), r->Height()};
}

int TopOf(const std::optional<Rect>& r) { return r ? r->top : 0; }

}  // namespace

CaptionButtonRects LayoutCaptionButtons(int width, const FrameMetrics& metrics,
                                        const std::optional<Size>& closeStrip,
                                        const std::optional<Size>& maximizeStrip,
                                        const std::optional<Size>& minimizeStrip) {
    RightToLeftRow row(width, metrics);
    CaptionButtonRects rects;
    rects.close = row.Place(ButtonSize(closeStrip), metrics.buttonTop);
    rects.maximize = row.Place(ButtonSize(maximizeStrip), metrics.buttonTop);
    rects.minimize = row.Place(ButtonSize(minimizeStrip), metrics.buttonTop);
    return rects;
}

CaptionButtonRects RelayoutCaptionButtons(int newClientWidth, const FrameMetrics& metrics,
                                          const CaptionButtonRects& existing) {
    RightToLeftRow row(newClientWidth, metrics);
    CaptionButtonRects rects;
    rects.close = row.Place(SizeOf(existing.close), TopOf(existing.close));
    rects.maximize = row.Place(SizeOf(existing.maximize), TopOf(existing.maximize));
    rects.minimize = row.Place(SizeOf(existing.minimize), TopOf(existing.minimize));
    return rects;
}

}  // namespace skin
