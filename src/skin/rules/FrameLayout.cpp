#include "skin/rules/FrameLayout.h"

#include <algorithm>

namespace skin {
namespace {

bool IsDrawable(const Rect& r) { return r.Width() > 0 && r.Height() > 0; }

bool Within(const Rect& r, Size bounds) {
    return r.left >= 0 && r.top >= 0 && r.right <= bounds.cx && r.bottom <= bounds.cy;
}

class BlitList {
public:
    explicit BlitList(Size frameImage) : frameImage_(frameImage) {}

    void Copy(Rect source, Point at, FrameImage image = FrameImage::Frame) {
        Add(image, BlitKind::Copy, source,
            Rect::FromXYWH(at.x, at.y, source.Width(), source.Height()));
    }
    void Stretch(Rect source, Rect dest) { Add(FrameImage::Frame, BlitKind::Stretch, source, dest); }
    std::vector<FrameBlit> Take() { return std::move(blits_); }

private:
    void Add(FrameImage image, BlitKind kind, Rect source, Rect dest) {
        const bool sourceValid = image != FrameImage::Frame || Within(source, frameImage_);
        if (sourceValid && IsDrawable(source) && IsDrawable(dest)) blits_.push_back({image, kind, source, dest});
    }
    Size frameImage_;
    std::vector<FrameBlit> blits_;
};

using R = Rect;

void AddStretchedTopAndSides(BlitList& out, const FramePaintInput& in) {
    const int W = in.window.cx, H = in.window.cy;
    const int iw = in.image.cx, ih = in.image.cy;
    const int b = in.metrics.border, t = in.metrics.BandHeight();
    const int middle = iw - 2 * b;

    out.Copy(R::FromXYWH(0, 0, b, t), {0, 0});
    if (!in.metrics.HasBand()) {
        out.Stretch(R::FromXYWH(b, 0, middle, b), R::FromXYWH(b, 0, W - 2 * b, b));
    } else if (middle > 0) {
        // Tiled, not stretched, so the band's pattern keeps its proportions;
        // the top-right corner drawn next covers the last tile's overhang.
        for (int x = b; x < W - b; x += middle) out.Copy(R::FromXYWH(b, 0, middle, t), {x, 0});
    }
    out.Copy(R::FromXYWH(iw - b, 0, b, t), {W - b, 0});
    out.Stretch(R::FromXYWH(0, t, b, ih - t - b), R::FromXYWH(0, t, b, H - t - b));
    out.Stretch(R::FromXYWH(iw - b, t, b, ih - t - b), R::FromXYWH(W - b, t, b, H - t - b));
    out.Stretch(R::FromXYWH(b, t, middle, ih - t - b), R::FromXYWH(b, t, W - 2 * b, H - t - b));
}

void AddCopiedBody(BlitList& out, const FramePaintInput& in) {
    const int W = in.window.cx, H = in.window.cy;
    const int iw = in.image.cx, ih = in.image.cy;
    const int b = in.metrics.border, t = in.metrics.BandHeight();

    out.Copy(R{0, 0, std::min(iw, W), std::min(ih, H)}, {0, 0});
    out.Copy(R::FromXYWH(iw - b, 0, b, t), {W - b, 0});
    out.Stretch(R::FromXYWH(iw - b, t, b, ih - t - b), R::FromXYWH(W - b, t, b, H - t - b));
}

void AddBottom(BlitList& out, const FramePaintInput& in) {
    const int W = in.window.cx, H = in.window.cy;
    const int iw = in.image.cx, ih = in.image.cy;
    const int b = in.metrics.border;

    out.Copy(R::FromXYWH(0, ih - b, b, b), {0, H - b});
    out.Stretch(R::FromXYWH(b, ih - b, iw - 2 * b, b), R::FromXYWH(b, H - b, W - 2 * b, b));
    out.Copy(R::FromXYWH(iw - b, ih - b, b, b), {W - b, H - b});
}

}  // namespace

std::vector<FrameBlit> FrameBlits(const FramePaintInput& in) {
    BlitList out(in.image);
    if (in.stretch)
        AddStretchedTopAndSides(out, in);
    else
        AddCopiedBody(out, in);
    AddBottom(out, in);
    if (in.overlay) {
        const Size o = *in.overlay;
        out.Copy(R{0, 0, o.cx, o.cy},
                 {in.window.cx - in.metrics.buttonRight - o.cx, in.metrics.buttonTop},
                 FrameImage::Overlay);
    }
    return out.Take();
}

CaptionPaint CaptionPaintLayout(const FrameMetrics& metrics, bool showIcon, bool hasSmallIcon,
                                bool showTitle) {
    CaptionPaint paint;
    paint.drawIcon = showIcon && hasSmallIcon;
    const int iconTop = metrics.HasBand() ? (metrics.captionHeight - 15) / 2 : 6;
    paint.icon = Rect::FromXYWH(metrics.border, iconTop, kFrameIconSize, kFrameIconSize);

    paint.drawTitle = showTitle;
    // A band too low for the text puts the title at a fixed 4 pixels.
    const int q = (metrics.captionHeight - 11) / 2;
    paint.title.x = metrics.border + 5 + (paint.drawIcon ? kFrameIconSize : 0);
    paint.title.y = q < 0 ? 4 : q - 2;
    return paint;
}

Rect TitleRepaintRect(const CaptionPaint& caption, const FrameMetrics& metrics, int clientWidth,
                      int titleTextHeight) {
    const int bottom = std::max(metrics.BandHeight(), caption.title.y + titleTextHeight);
    return Rect{caption.title.x, 0, clientWidth, bottom};
}

}  // namespace skin
