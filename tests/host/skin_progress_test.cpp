#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/rules/ProgressSplit.h"

namespace skin {
namespace {

const Rect kBar = ProgressBarRect({390, 21}, {380, 11});

TEST(SkinProgress, BarIsCentredInTheBackground) {
    EXPECT_EQ(kBar, (Rect{5, 5, 385, 16}));
    EXPECT_EQ(ProgressBarRect({390, 21}, {390, 21}), (Rect{0, 0, 390, 21}));
}

TEST(SkinProgress, NothingAtZeroOnlyBackground) {
    EXPECT_TRUE(ProgressPieces(kBar, 0, 100, 0).empty());
}

TEST(SkinProgress, HalfwayShowsBothEndsOfThePicture) {
    const auto pieces = ProgressPieces(kBar, 0, 100, 50);  // 190 filled: 95 + 95
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].source, (Rect{0, 0, 95, 11}));
    EXPECT_EQ(pieces[0].dest, (Rect{5, 5, 100, 16}));
    EXPECT_EQ(pieces[1].source, (Rect{285, 0, 380, 11}));
    EXPECT_EQ(pieces[1].dest, (Rect{100, 5, 195, 16}));
}

TEST(SkinProgress, OddFilledWidthGivesTheExtraColumnToTheRightPiece) {
    const Rect bar{0, 0, 10, 4};
    const auto pieces = ProgressPieces(bar, 0, 2, 1);  // 5 filled: 2 + 3
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].source, (Rect{0, 0, 2, 4}));
    EXPECT_EQ(pieces[1].source, (Rect{7, 0, 10, 4}));
    EXPECT_EQ(pieces[1].dest, (Rect{2, 0, 5, 4}));
}

TEST(SkinProgress, FullRangeDrawsTheWholePicture) {
    const auto pieces = ProgressPieces(kBar, 0, 100, 100);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].source.left, 0);
    EXPECT_EQ(pieces[0].source.right, pieces[1].source.left);
    EXPECT_EQ(pieces[1].source.right, 380);
    EXPECT_EQ(pieces[0].dest.left, kBar.left);
    EXPECT_EQ(pieces[1].dest.right, kBar.right);
}

TEST(SkinProgress, FullRangeFillsTheWidthForEveryRangeAndWidth) {
    // Floating division then multiplication loses the last column for some
    // pairs (1.0 / 49 * 49 < 1).
    for (int width = 1; width <= 400; width += 7)
        for (int range = 1; range <= 1000; ++range)
            ASSERT_EQ(ProgressFilledWidth(width, 0, range, range), width) << width << "/" << range;
    EXPECT_EQ(ProgressFilledWidth(1, 0, 49, 49), 1);
}

TEST(SkinProgress, FilledWidthIsTheTruncatedShareOfTheRange) {
    EXPECT_EQ(ProgressFilledWidth(380, 0, 100, 33), 125);  // 125.4
    EXPECT_EQ(ProgressFilledWidth(380, 0, 3, 2), 253);     // 253.3
    EXPECT_EQ(ProgressFilledWidth(380, 100, 200, 150), 190);
    EXPECT_EQ(ProgressFilledWidth(380, -100, 0, -50), 190);
}

TEST(SkinProgress, BadRangesAndPositionsStayWithinTheBar) {
    EXPECT_EQ(ProgressFilledWidth(380, 50, 50, 50), 0);  // empty range: no division
    EXPECT_TRUE(ProgressPieces(kBar, 7, 7, 100).empty());
    EXPECT_EQ(ProgressFilledWidth(380, 0, 100, -5), 0);
    EXPECT_EQ(ProgressFilledWidth(380, 0, 100, 250), 380);
    EXPECT_EQ(ProgressFilledWidth(380, 100, 0, 25), 285);  // a downward range
    EXPECT_EQ(ProgressFilledWidth(380, 100, 0, 200), 0);
    EXPECT_EQ(ProgressFilledWidth(0, 0, 100, 50), 0);
    EXPECT_EQ(ProgressFilledWidth(380, INT32_MIN, INT32_MAX, INT32_MAX), 380);
    EXPECT_EQ(ProgressFilledWidth(380, INT32_MIN, INT32_MAX, 0), 190);
}

}  // namespace
}  // namespace skin
