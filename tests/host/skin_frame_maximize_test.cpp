#include <gtest/gtest.h>

#include <string>

#include "skin/rules/CaptionButtons.h"
#include "skin/rules/FrameMaximize.h"

namespace skin {
namespace {

TEST(SkinFrameMaximize, InitialBoundsComeFromTheWorkArea) {
    const FrameBounds b = InitialFrameBounds(Rect{0, 0, 1920, 1040});
    EXPECT_EQ(b.maxWidth, 1920);
    EXPECT_EQ(b.maxHeight, 1040);
    EXPECT_EQ(b.restore, (Rect{240, 130, 1680, 910}));
}

TEST(SkinFrameMaximize, RestoreIsInsetByAnEighthOnEverySideOfAnOffsetWorkArea) {
    // Task bars on the left and at the top move the work area's origin.
    const Rect work{100, 40, 1380, 1024};
    const FrameBounds b = InitialFrameBounds(work);
    const int dx = work.Width() / 8, dy = work.Height() / 8;
    EXPECT_EQ(b.restore.left - work.left, dx);
    EXPECT_EQ(work.right - b.restore.right, dx);
    EXPECT_EQ(b.restore.top - work.top, dy);
    EXPECT_EQ(work.bottom - b.restore.bottom, dy);
}

TEST(SkinFrameMaximize, MaximiseThenRestoreLandsOnTheEighthInset) {
    const Rect work{0, 0, 1600, 900};
    FrameBounds bounds = InitialFrameBounds(work);

    const MaximizeToggle up = ToggleMaximize(false, bounds, work);
    EXPECT_TRUE(up.maximized);
    EXPECT_EQ(up.moveTo, work);

    const MaximizeToggle down = ToggleMaximize(up.maximized, bounds, work);
    EXPECT_FALSE(down.maximized);
    EXPECT_EQ(down.moveTo, (Rect{200, 112, 1400, 788}));
}

TEST(SkinFrameMaximize, WorkAreaLargerThanTheLimitGivesACentredLimitedWindow) {
    const Rect work{0, 0, 1920, 1040};
    EXPECT_EQ(MaximizedRect(work, 1440, 900), (Rect{240, 70, 1680, 970}));
    EXPECT_EQ(MaximizedRect(Rect{100, 40, 2020, 1080}, 1440, 2000), (Rect{340, 40, 1780, 1080}));

    FrameBounds bounds = InitialFrameBounds(Rect{0, 0, 1280, 720});
    // A later, larger work area (another monitor set-up) is still limited.
    EXPECT_EQ(ToggleMaximize(false, bounds, work).moveTo, (Rect{320, 160, 1600, 880}));
}

TEST(SkinFrameMaximize, LimitsThatDoNotRestrictLeaveTheWorkArea) {
    const Rect work{0, 0, 1024, 768};
    EXPECT_EQ(MaximizedRect(work, 1024, 768), work);
    EXPECT_EQ(MaximizedRect(work, 4000, 4000), work);
    EXPECT_EQ(MaximizedRect(work, 0, -1), work);
}

TEST(SkinFrameMaximize, TooltipFollowsTheState) {
    EXPECT_EQ(std::wstring(MaximizeButtonTooltip(true)), L"还原");
    EXPECT_EQ(std::wstring(MaximizeButtonTooltip(false)), L"最大化");
}

FrameMetrics ButtonMetrics(int right, int top, int gap) {
    FrameMetrics m;
    m.buttonRight = right;
    m.buttonTop = top;
    m.buttonGap = gap;
    return m;
}

TEST(SkinCaptionButtons, CreatedFromTheRightOneStateWide) {
    // Main window strips: close 132 x 28, maximise and minimise 108 x 28.
    const auto r = LayoutCaptionButtons(800, ButtonMetrics(0, 0, 0), Size{132, 28}, Size{108, 28},
                                        Size{108, 28});
    EXPECT_EQ(r.close, (Rect{767, 0, 800, 28}));
    EXPECT_EQ(r.maximize, (Rect{740, 0, 767, 28}));
    EXPECT_EQ(r.minimize, (Rect{713, 0, 740, 28}));
}

TEST(SkinCaptionButtons, GapAndMissingStrips) {
    const auto gapped = LayoutCaptionButtons(300, ButtonMetrics(5, 1, 2), Size{132, 28}, Size{108, 28},
                                             Size{108, 28});
    EXPECT_EQ(gapped.close, (Rect{262, 1, 295, 29}));
    EXPECT_EQ(gapped.maximize, (Rect{233, 1, 260, 29}));
    EXPECT_EQ(gapped.minimize, (Rect{204, 1, 231, 29}));

    const auto noMax = LayoutCaptionButtons(300, ButtonMetrics(5, 1, 2), Size{132, 28}, std::nullopt,
                                            Size{108, 28});
    EXPECT_FALSE(noMax.maximize);
    EXPECT_EQ(noMax.minimize, (Rect{233, 1, 260, 29}));

    const auto none = LayoutCaptionButtons(300, ButtonMetrics(5, 1, 2), std::nullopt, std::nullopt,
                                           std::nullopt);
    EXPECT_FALSE(none.close || none.maximize || none.minimize);
}

TEST(SkinCaptionButtons, ButtonsFollowTheRightEdgeOnResize) {
    const FrameMetrics m = ButtonMetrics(3, 3, 0);
    const auto created = LayoutCaptionButtons(250, m, Size{144, 14}, std::nullopt, std::nullopt);
    ASSERT_EQ(created.close, (Rect{211, 3, 247, 17}));

    const auto wider = RelayoutCaptionButtons(400, m, created);
    EXPECT_EQ(wider.close, (Rect{361, 3, 397, 17}));
    EXPECT_FALSE(wider.maximize || wider.minimize);

    const FrameMetrics main = ButtonMetrics(0, 0, 0);
    const auto all = LayoutCaptionButtons(800, main, Size{132, 28}, Size{108, 28}, Size{108, 28});
    const auto moved = RelayoutCaptionButtons(1000, main, all);
    EXPECT_EQ(moved.close, (Rect{967, 0, 1000, 28}));
    EXPECT_EQ(moved.maximize, (Rect{940, 0, 967, 28}));
    EXPECT_EQ(moved.minimize, (Rect{913, 0, 940, 28}));
}

TEST(SkinCaptionButtons, ResizeKeepsTheSpacingTheButtonsWereCreatedWith) {
    const FrameMetrics m = ButtonMetrics(5, 1, 4);
    const auto created = LayoutCaptionButtons(300, m, Size{132, 28}, Size{108, 28}, Size{108, 28});
    const auto moved = RelayoutCaptionButtons(500, m, created);
    EXPECT_EQ(moved.close->left - created.close->left, 200);
    EXPECT_EQ(moved.maximize->left - created.maximize->left, 200);
    EXPECT_EQ(moved.minimize->left - created.minimize->left, 200);
}

}  // namespace
}  // namespace skin
