// The numbers that shape a skinned frame, shared by its layout, region,
// hit-test and caption-button rules.
#pragma once

namespace skin {

struct FrameMetrics {
    int captionHeight = -1;  // top band height; negative: no band of its own
    int border = 3;          // corner size and edge width
    int buttonRight = 5;     // close button's right edge, from the window's right edge
    int buttonTop = 1;       // top of the caption buttons
    int buttonGap = 0;       // gap between neighbouring caption buttons

    // Without a band of its own the frame treats the whole body as caption.
    bool HasBand() const { return captionHeight >= 0; }
    // The height the top pieces of the frame image are drawn with.
    int BandHeight() const { return HasBand() ? captionHeight : border; }
};

}  // namespace skin
