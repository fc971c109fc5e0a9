#include <gtest/gtest.h>

#include <vector>

#include "skin/rules/FrameLayout.h"

namespace skin {
namespace {

FrameMetrics Metrics(int band, int border, int buttonRight = 0, int buttonTop = 0) {
    FrameMetrics m;
    m.captionHeight = band;
    m.border = border;
    m.buttonRight = buttonRight;
    m.buttonTop = buttonTop;
    return m;
}

FramePaintInput Input(Size window, Size image, FrameMetrics m, bool stretch) {
    FramePaintInput in;
    in.window = window;
    in.image = image;
    in.metrics = m;
    in.stretch = stretch;
    return in;
}

// How often each window pixel is painted by the frame image's blits.
std::vector<int> PaintCounts(const std::vector<FrameBlit>& blits, Size window) {
    std::vector<int> counts(static_cast<size_t>(window.cx * window.cy), 0);
    for (const FrameBlit& blit : blits) {
        if (blit.image != FrameImage::Frame) continue;
        for (int y = blit.dest.top; y < blit.dest.bottom; ++y)
            for (int x = blit.dest.left; x < blit.dest.right; ++x)
                if (x >= 0 && x < window.cx && y >= 0 && y < window.cy) ++counts[y * window.cx + x];
    }
    return counts;
}

bool InsideImage(const Rect& r, Size image) {
    return r.left >= 0 && r.top >= 0 && r.right <= image.cx && r.bottom <= image.cy;
}

TEST(SkinFrameLayout, StretchedFramePaintsEveryPixelFromInsideTheImage) {
    for (int band : {30, -1}) {
        for (Size window : {Size{100, 80}, Size{30, 51}, Size{641, 417}}) {
            const Size image{30, 51};
            const auto blits = FrameBlits(Input(window, image, Metrics(band, 4), true));
            for (int count : PaintCounts(blits, window)) ASSERT_GE(count, 1) << "band " << band;
            for (const FrameBlit& b : blits) {
                EXPECT_TRUE(InsideImage(b.source, image));
                if (b.kind == BlitKind::Copy) {
                    EXPECT_EQ(b.source.Width(), b.dest.Width());
                    EXPECT_EQ(b.source.Height(), b.dest.Height());
                }
            }
        }
    }
}

TEST(SkinFrameLayout, BandIsTiledUnscaledAndTheTopRightCornerCoversTheOverhang) {
    // Image 30 wide, border 4: tiles of 22 from x = 4 while a tile starts before 96.
    const auto blits = FrameBlits(Input({100, 80}, {30, 51}, Metrics(30, 4), true));
    std::vector<int> tileStarts;
    size_t lastTile = 0;
    for (size_t i = 0; i < blits.size(); ++i) {
        if (blits[i].source == Rect{4, 0, 26, 30}) {
            EXPECT_EQ(blits[i].kind, BlitKind::Copy);
            EXPECT_EQ(blits[i].dest.top, 0);
            tileStarts.push_back(blits[i].dest.left);
            lastTile = i;
        }
    }
    EXPECT_EQ(tileStarts, (std::vector<int>{4, 26, 48, 70, 92}));

    ASSERT_GT(blits.size(), lastTile + 1);
    const FrameBlit& topRight = blits[lastTile + 1];
    EXPECT_EQ(topRight.source, (Rect{26, 0, 30, 30}));
    EXPECT_EQ(topRight.dest, (Rect{96, 0, 100, 30}));
}

TEST(SkinFrameLayout, WithoutBandTheTopEdgeIsOneStretchOfBorderHeight) {
    const auto blits = FrameBlits(Input({200, 90}, {30, 51}, Metrics(-1, 3), true));
    ASSERT_GE(blits.size(), 2u);
    EXPECT_EQ(blits[0].dest, (Rect{0, 0, 3, 3}));
    EXPECT_EQ(blits[1].kind, BlitKind::Stretch);
    EXPECT_EQ(blits[1].source, (Rect{3, 0, 27, 3}));
    EXPECT_EQ(blits[1].dest, (Rect{3, 0, 197, 3}));
}

TEST(SkinFrameLayout, BottomPiecesComeLastInBothModes) {
    for (bool stretch : {true, false}) {
        const auto blits = FrameBlits(Input({120, 70}, {30, 51}, Metrics(30, 4), stretch));
        ASSERT_GE(blits.size(), 3u);
        const FrameBlit* last3 = &blits[blits.size() - 3];
        EXPECT_EQ(last3[0].kind, BlitKind::Copy);
        EXPECT_EQ(last3[0].source, (Rect{0, 47, 4, 51}));
        EXPECT_EQ(last3[0].dest, (Rect{0, 66, 4, 70}));
        EXPECT_EQ(last3[1].kind, BlitKind::Stretch);
        EXPECT_EQ(last3[1].source, (Rect{4, 47, 26, 51}));
        EXPECT_EQ(last3[1].dest, (Rect{4, 66, 116, 70}));
        EXPECT_EQ(last3[2].kind, BlitKind::Copy);
        EXPECT_EQ(last3[2].source, (Rect{26, 47, 30, 51}));
        EXPECT_EQ(last3[2].dest, (Rect{116, 66, 120, 70}));
    }
}

TEST(SkinFrameLayout, CopyModeCopiesTheImageClippedAndStretchesOnlyTheRightEdge) {
    const auto blits = FrameBlits(Input({250, 150}, {284, 150}, Metrics(30, 3), false));
    ASSERT_EQ(blits.size(), 6u);
    EXPECT_EQ(blits[0].kind, BlitKind::Copy);
    EXPECT_EQ(blits[0].source, (Rect{0, 0, 250, 150}));
    EXPECT_EQ(blits[0].dest, (Rect{0, 0, 250, 150}));
    EXPECT_EQ(blits[1].source, (Rect{281, 0, 284, 30}));
    EXPECT_EQ(blits[1].dest, (Rect{247, 0, 250, 30}));
    EXPECT_EQ(blits[2].kind, BlitKind::Stretch);
    EXPECT_EQ(blits[2].source, (Rect{281, 30, 284, 147}));
    EXPECT_EQ(blits[2].dest, (Rect{247, 30, 250, 147}));
}

TEST(SkinFrameLayout, DegenerateSizesGiveNoInsideOutPiecesAndNoEndlessTiling) {
    // Window narrower than two borders; image no wider than two borders.
    for (const auto& [window, image] : {std::pair<Size, Size>{{6, 6}, {30, 51}}, {{100, 80}, {8, 51}},
                                        {{100, 80}, {0, 0}}}) {
        for (bool stretch : {true, false}) {
            for (const FrameBlit& b : FrameBlits(Input(window, image, Metrics(30, 4), stretch))) {
                EXPECT_TRUE(InsideImage(b.source, image));
                EXPECT_GT(b.dest.Width(), 0);
                EXPECT_GT(b.dest.Height(), 0);
                EXPECT_GT(b.source.Width(), 0);
                EXPECT_GT(b.source.Height(), 0);
            }
        }
    }
}

TEST(SkinFrameLayout, OverlayIsCopiedLastLeftOfTheButtonMargin) {
    FramePaintInput in = Input({300, 200}, {30, 51}, Metrics(30, 4, 5, 1), true);
    in.overlay = Size{40, 20};
    const auto blits = FrameBlits(in);
    ASSERT_FALSE(blits.empty());
    EXPECT_EQ(blits.back().image, FrameImage::Overlay);
    EXPECT_EQ(blits.back().kind, BlitKind::Copy);
    EXPECT_EQ(blits.back().source, (Rect{0, 0, 40, 20}));
    EXPECT_EQ(blits.back().dest, (Rect{255, 1, 295, 21}));

    in.overlay.reset();
    for (const FrameBlit& b : FrameBlits(in)) EXPECT_EQ(b.image, FrameImage::Frame);
}

TEST(SkinFrameCaption, IconAndTitleSitInTheBand) {
    const CaptionPaint band30 = CaptionPaintLayout(Metrics(30, 4), true, true, true);
    EXPECT_TRUE(band30.drawIcon);
    EXPECT_EQ(band30.icon, (Rect{4, 7, 20, 23}));
    EXPECT_EQ(band30.title, (Point{25, 7}));

    const CaptionPaint noIcon = CaptionPaintLayout(Metrics(30, 4), true, false, true);
    EXPECT_FALSE(noIcon.drawIcon);
    EXPECT_EQ(noIcon.title, (Point{9, 7}));

    const CaptionPaint hidden = CaptionPaintLayout(Metrics(30, 4), false, true, false);
    EXPECT_FALSE(hidden.drawIcon);
    EXPECT_FALSE(hidden.drawTitle);
}

TEST(SkinFrameCaption, LowOrMissingBandPutsTitleAtFourPixels) {
    const CaptionPaint noBand = CaptionPaintLayout(Metrics(-1, 3), true, true, true);
    EXPECT_EQ(noBand.icon.top, 6);
    EXPECT_EQ(noBand.title, (Point{24, 4}));
    EXPECT_EQ(CaptionPaintLayout(Metrics(0, 3), false, false, true).title, (Point{8, 4}));
}

TEST(SkinFrameCaption, TitleRepaintRunsFromTitleToRightEdge) {
    const FrameMetrics m = Metrics(30, 4);
    const CaptionPaint c = CaptionPaintLayout(m, true, true, true);
    EXPECT_EQ(TitleRepaintRect(c, m, 500, 16), (Rect{25, 0, 500, 30}));
    EXPECT_EQ(TitleRepaintRect(c, m, 500, 40).bottom, 47);  // text taller than the band
}

}  // namespace
}  // namespace skin
