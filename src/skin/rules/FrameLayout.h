// How a skinned frame is painted: the blits that compose the frame image
// into a window of any size, and where the icon and title go.
#pragma once

#include <optional>
#include <vector>

#include "framework/rules/Geometry.h"
#include "skin/rules/FrameMetrics.h"

namespace skin {

enum class FrameImage { Frame, Overlay };
enum class BlitKind { Copy, Stretch };  // Copy: source and destination are the same size

struct FrameBlit {
    FrameImage image = FrameImage::Frame;
    BlitKind kind = BlitKind::Copy;
    Rect source;  // in the image
    Rect dest;    // in the window
};

struct FramePaintInput {
    Size window;
    Size image;                    // the frame image
    FrameMetrics metrics;
    bool stretch = false;          // nine-part frame; otherwise the image is copied as is
    std::optional<Size> overlay;   // size of the overlay image, when there is one
};

// The blits in drawing order. Pieces that come out empty, inside out or
// reaching outside the image (a window or image smaller than its borders)
// are left out: a negative stretch would mirror the image.
std::vector<FrameBlit> FrameBlits(const FramePaintInput& in);

struct CaptionPaint {
    bool drawIcon = false;
    Rect icon;          // 16 x 16
    bool drawTitle = false;
    Point title;        // top-left of the title text
};

constexpr int kFrameIconSize = 16;
constexpr int kTitleFontHeight = -12;
constexpr const wchar_t* kTitleFontFace = L"微软雅黑";

CaptionPaint CaptionPaintLayout(const FrameMetrics& metrics, bool showIcon, bool hasSmallIcon,
                                bool showTitle);

// The area to repaint after the title text changed: from the title's left
// edge to the client's right edge, tall enough for the band and the text.
Rect TitleRepaintRect(const CaptionPaint& caption, const FrameMetrics& metrics, int clientWidth,
                      int titleTextHeight);

}  // namespace skin
