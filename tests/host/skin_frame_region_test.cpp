#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "skin/rules/FrameRegion.h"

namespace skin {
namespace {

// A frame image given by the set of its magenta pixels.
struct MagentaImage {
    Size size;
    std::set<std::pair<int, int>> magenta;

    MagentaProbe Probe() const {
        return [this](int x, int y) {
            EXPECT_TRUE(x >= 0 && x < size.cx && y >= 0 && y < size.cy) << "probe outside the image";
            return magenta.count({x, y}) > 0;
        };
    }
};

std::set<std::pair<int, int>> AsSet(const std::vector<Point>& points) {
    std::set<std::pair<int, int>> s;
    for (const Point& p : points) s.insert({p.x, p.y});
    return s;
}

// Rounded corners: a three-pixel staircase in each corner of a 30 x 51 image.
MagentaImage RoundedCorners() {
    MagentaImage img{{30, 51}, {}};
    const int last_x = 29, last_y = 50;
    for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}, {1, 1}}) {
        img.magenta.insert({dx, dy});
        img.magenta.insert({last_x - dx, dy});
        img.magenta.insert({dx, last_y - dy});
        img.magenta.insert({last_x - dx, last_y - dy});
    }
    return img;
}

TEST(SkinFrameRegion, FirstTwoPixelsOfFirstRowCutAtEveryWindowSize) {
    const MagentaImage img{{30, 51}, {{0, 0}, {1, 0}}};
    for (Size window : {Size{30, 51}, Size{400, 300}, Size{1440, 900}}) {
        const auto cut = RegionCutPixels(img.size, window, img.Probe());
        EXPECT_EQ(AsSet(cut), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}}));
    }
}

TEST(SkinFrameRegion, WindowOfTheImagesSizeCutsExactlyTheMagentaPixels) {
    // The far corners keep their distance to the window's own last row and
    // column; a mapping one pixel off would move them in or out of the window.
    const MagentaImage img = RoundedCorners();
    EXPECT_EQ(AsSet(RegionCutPixels(img.size, img.size, img.Probe())), img.magenta);
}

TEST(SkinFrameRegion, FarCornersFollowTheWindowsRightAndBottomEdges) {
    const MagentaImage img = RoundedCorners();
    const Size window{200, 120};
    const auto cut = AsSet(RegionCutPixels(img.size, window, img.Probe()));
    EXPECT_EQ(cut.size(), img.magenta.size());
    for (auto [x, y] : img.magenta) {
        const int wx = x < 15 ? x : window.cx - (img.size.cx - x);
        const int wy = y < 25 ? y : window.cy - (img.size.cy - y);
        EXPECT_TRUE(cut.count({wx, wy})) << x << "," << y;
    }
    EXPECT_TRUE(cut.count({199, 119}));  // the image's last pixel is the window's last pixel
    EXPECT_TRUE(cut.count({197, 119}));
    EXPECT_TRUE(cut.count({199, 117}));
}

TEST(SkinFrameRegion, MagentaOutsideTheCornerSquaresStays) {
    MagentaImage img{{30, 51}, {{9, 0}, {0, 9}, {20, 0}, {15, 25}, {29, 41}}};
    EXPECT_TRUE(RegionCutPixels(img.size, {300, 200}, img.Probe()).empty());
    img.magenta.insert({8, 8});
    img.magenta.insert({21, 42});
    EXPECT_EQ(AsSet(RegionCutPixels(img.size, {300, 200}, img.Probe())),
              (std::set<std::pair<int, int>>{{8, 8}, {291, 191}}));
}

MagentaImage AllMagenta(Size size) {
    MagentaImage img{size, {}};
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) img.magenta.insert({x, y});
    return img;
}

TEST(SkinFrameRegion, SmallImagesUseTheirWholeSizeAsCornerSquares) {
    // 5 x 5: four 5 x 5 blocks in the window's corners.
    const MagentaImage tiny = AllMagenta({5, 5});
    const auto cut = AsSet(RegionCutPixels(tiny.size, {20, 20}, tiny.Probe()));
    EXPECT_EQ(cut.size(), 100u);
    EXPECT_TRUE(cut.count({4, 4}));
    EXPECT_TRUE(cut.count({15, 15}));
    EXPECT_FALSE(cut.count({5, 5}));

    // 12 x 12: overlapping near and far squares, each cut in its own corner.
    const MagentaImage mid = AllMagenta({12, 12});
    const auto cut12 = AsSet(RegionCutPixels(mid.size, {30, 30}, mid.Probe()));
    EXPECT_EQ(cut12.size(), 18u * 18u);
    EXPECT_TRUE(cut12.count({8, 8}));
    EXPECT_TRUE(cut12.count({21, 21}));
    EXPECT_FALSE(cut12.count({9, 9}));
    EXPECT_FALSE(cut12.count({20, 20}));
}

TEST(SkinFrameRegion, WindowSmallerThanTheImageKeepsCutsInsideIt) {
    const MagentaImage img = AllMagenta({30, 51});
    const auto cut = RegionCutPixels(img.size, {5, 4}, img.Probe());
    EXPECT_EQ(cut.size(), 20u);
    for (const Point& p : cut) EXPECT_TRUE(p.x >= 0 && p.x < 5 && p.y >= 0 && p.y < 4);
}

TEST(SkinFrameRegion, EmptyImageCutsNothing) {
    const MagentaProbe never = [](int, int) {
        ADD_FAILURE() << "an empty image has no pixels to probe";
        return true;
    };
    EXPECT_TRUE(RegionCutPixels({0, 0}, {100, 100}, never).empty());
}

TEST(SkinFrameRegion, RunsMergeNeighboursOnARowAndCoverTheSamePixels) {
    const MagentaImage img{{30, 51}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {6, 0}, {0, 1}, {29, 0}}};
    const auto runs = RegionCutRuns(img.size, {100, 80}, img.Probe());
    EXPECT_EQ(runs, (std::vector<Rect>{{0, 0, 4, 1}, {6, 0, 7, 1}, {99, 0, 100, 1}, {0, 1, 1, 2}}));
}

}  // namespace
}  // namespace skin
