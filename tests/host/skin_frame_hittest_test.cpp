#include <gtest/gtest.h>

#include "skin/rules/FrameHitTest.h"

namespace skin {
namespace {

FrameHitInput At(int x, int y, int band, bool resizable, bool maximized = false) {
    FrameHitInput in;
    in.point = {x, y};
    in.client = {200, 100};
    in.metrics.captionHeight = band;
    in.metrics.border = 4;
    in.resizable = resizable;
    in.maximized = maximized;
    return in;
}

TEST(SkinFrameHitTest, MaximisedFrameAlwaysUsesTheDefault) {
    for (bool resizable : {true, false})
        for (Point p : {Point{0, 0}, Point{100, 10}, Point{199, 99}, Point{100, 50}})
            EXPECT_EQ(HitTestFrame(At(p.x, p.y, 30, resizable, true)), FrameHit::Default);
}

TEST(SkinFrameHitTest, FixedFrameDragsByItsBandOrEverywhereWithoutOne) {
    EXPECT_EQ(HitTestFrame(At(100, 0, 30, false)), FrameHit::Caption);
    EXPECT_EQ(HitTestFrame(At(100, 29, 30, false)), FrameHit::Caption);
    EXPECT_EQ(HitTestFrame(At(100, 30, 30, false)), FrameHit::Default);
    EXPECT_EQ(HitTestFrame(At(0, 99, 30, false)), FrameHit::Default);  // no resizing
    for (Point p : {Point{0, 0}, Point{100, 50}, Point{199, 99}})
        EXPECT_EQ(HitTestFrame(At(p.x, p.y, -1, false)), FrameHit::Caption);
}

TEST(SkinFrameHitTest, ResizableFrameSizesFromEdgesCornersAndTopRows) {
    struct Case { int x, y; FrameHit hit; } cases[] = {
        {0, 0, FrameHit::TopLeft},      {3, 3, FrameHit::TopLeft},     {0, 50, FrameHit::Left},
        {3, 96, FrameHit::BottomLeft},  {0, 99, FrameHit::BottomLeft}, {199, 0, FrameHit::TopRight},
        {196, 50, FrameHit::Right},     {199, 99, FrameHit::BottomRight},
        {100, 0, FrameHit::Top},        {100, 2, FrameHit::Top},       {100, 3, FrameHit::Caption},
        {100, 29, FrameHit::Caption},   {100, 30, FrameHit::Default},  {100, 95, FrameHit::Default},
        {100, 96, FrameHit::Bottom},    {100, 99, FrameHit::Bottom},   {4, 50, FrameHit::Default},
        {195, 50, FrameHit::Default},
    };
    for (const Case& c : cases) EXPECT_EQ(HitTestFrame(At(c.x, c.y, 30, true)), c.hit) << c.x << "," << c.y;
}

TEST(SkinFrameHitTest, ResizableFrameWithoutBandIsCaptionBetweenItsSideEdges) {
    EXPECT_EQ(HitTestFrame(At(100, 1, -1, true)), FrameHit::Top);
    EXPECT_EQ(HitTestFrame(At(100, 50, -1, true)), FrameHit::Caption);
    EXPECT_EQ(HitTestFrame(At(100, 98, -1, true)), FrameHit::Caption);
    EXPECT_EQ(HitTestFrame(At(1, 50, -1, true)), FrameHit::Left);
}

TEST(SkinFrameHitTest, HitCodesAndTheSizeCommandsTheyStart) {
    EXPECT_EQ(HitCodeOf(FrameHit::Default), std::nullopt);
    EXPECT_EQ(HitCodeOf(FrameHit::Caption), 2);
    const FrameHit edges[] = {FrameHit::Left,     FrameHit::Right,  FrameHit::Top,
                              FrameHit::TopLeft,  FrameHit::TopRight, FrameHit::Bottom,
                              FrameHit::BottomLeft, FrameHit::BottomRight};
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(HitCodeOf(edges[i]), 10 + i);
        EXPECT_EQ(SizeCommandForHitCode(10 + i), 0xF001u + static_cast<unsigned>(i));
    }
    for (int other : {0, 1, 2, 9, 18, 20, -1}) EXPECT_EQ(SizeCommandForHitCode(other), std::nullopt);
}

TEST(SkinFrameHitTest, DoubleClicksThatToggleMaximised) {
    EXPECT_TRUE(NonClientDoubleClickToggles(kHtCaption, true));
    EXPECT_FALSE(NonClientDoubleClickToggles(kHtCaption, false));
    EXPECT_FALSE(NonClientDoubleClickToggles(kHtLeft, true));

    FrameMetrics band30;
    band30.captionHeight = 30;
    EXPECT_TRUE(ClientDoubleClickToggles({50, 29}, band30, true));
    EXPECT_FALSE(ClientDoubleClickToggles({50, 30}, band30, true));
    EXPECT_FALSE(ClientDoubleClickToggles({50, 10}, band30, false));

    FrameMetrics noBand;
    EXPECT_TRUE(ClientDoubleClickToggles({50, 500}, noBand, true));
}

}  // namespace
}  // namespace skin
