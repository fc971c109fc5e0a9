#include "mainwnd/rules/TabStrip.h"

#include <gtest/gtest.h>

using namespace tabs;

TEST(TabGeometry, TabsStandSideBySideFromX120) {
    EXPECT_EQ(TabRect(0), (Rect{120, 3, 309, 25}));
    EXPECT_EQ(TabRect(2), (Rect{498, 3, 687, 25}));
    EXPECT_EQ(TitleRect(1), (Rect{325, 8, 485, 22}));
    EXPECT_EQ(CloseCrossRect(1), (Rect{485, 3, 498, 16}));
}

TEST(TabGeometry, BandEdgesAndTheTabUnderAPoint) {
    EXPECT_FALSE(InBand(Point{120, 10}, 2));  // the left edge itself is outside
    EXPECT_TRUE(InBand(Point{121, 10}, 2));
    EXPECT_TRUE(InBand(Point{497, 24}, 2));
    EXPECT_FALSE(InBand(Point{498, 10}, 2));
    EXPECT_FALSE(InBand(Point{200, 2}, 2));
    EXPECT_FALSE(InBand(Point{200, 25}, 2));
    EXPECT_FALSE(InBand(Point{200, 10}, 0));
    EXPECT_EQ(TabAt(121), 0);
    EXPECT_EQ(TabAt(308), 0);
    EXPECT_EQ(TabAt(309), 1);
}

TEST(TabGeometry, CloseCrossHitIsTheTabsLastThirteenColumnsAboveRow16) {
    EXPECT_TRUE(OnCloseCross(Point{296, 3}));
    EXPECT_TRUE(OnCloseCross(Point{308, 15}));
    EXPECT_FALSE(OnCloseCross(Point{295, 10}));
    EXPECT_FALSE(OnCloseCross(Point{300, 16}));
}

TEST(TabTitles, WideRecordsAreCutToEighteenCharactersAndDots) {
    auto sevenEach = [](const std::wstring& s) { return static_cast<int>(s.size()) * 7; };
    const std::wstring shortRecord = L"双线1服-alice";
    EXPECT_EQ(TabTitle(shortRecord, sevenEach), shortRecord);
    const std::wstring exactly160(160 / 7 + 0, L'a');  // 22 characters, 154 pixels
    EXPECT_EQ(TabTitle(exactly160, sevenEach), exactly160);
    const std::wstring wide(30, L'b');
    EXPECT_EQ(TabTitle(wide, sevenEach), std::wstring(18, L'b') + L"...");
}

TEST(TabHover, EnteringATabActivatesTheTooltipAndRepaintsIt) {
    const HoverUpdate u = OnHover(HoverState{}, Point{200, 10}, 2, false);
    EXPECT_EQ(u.state.hotTab, 0);
    EXPECT_EQ(u.state.closeState, 0);
    EXPECT_EQ(u.tip, TipAction::ActivateWithText);
    ASSERT_EQ(u.invalidate.size(), 1u);
    EXPECT_EQ(u.invalidate[0], TabRect(0));
}

TEST(TabHover, MovingWithinTheSameTabChangesNothing) {
    const HoverState hot{0, 0, true};
    const HoverUpdate u = OnHover(hot, Point{210, 12}, 2, false);
    EXPECT_EQ(u.state.hotTab, 0);
    EXPECT_TRUE(u.invalidate.empty());
    EXPECT_EQ(u.tip, TipAction::None);
}

TEST(TabHover, CrossHoverThenPressRepaintsOnlyTheCross) {
    HoverUpdate u = OnHover(HoverState{0, 0, true}, Point{300, 8}, 2, false);
    EXPECT_EQ(u.state.closeState, 1);
    EXPECT_EQ(u.tip, TipAction::Deactivate);
    ASSERT_EQ(u.invalidate.size(), 1u);
    EXPECT_EQ(u.invalidate[0], CloseCrossRect(0));
    u = OnHover(u.state, Point{300, 8}, 2, true);
    EXPECT_EQ(u.state.closeState, 2);
}

TEST(TabHover, MovingToAnotherTabRepaintsBothAndResetsTheTooltip) {
    const HoverUpdate u = OnHover(HoverState{0, 0, true}, Point{400, 10}, 2, false);
    EXPECT_EQ(u.state.hotTab, 1);
    EXPECT_EQ(u.tip, TipAction::Deactivate);
    EXPECT_EQ(u.invalidate, (std::vector<Rect>{TabRect(0), TabRect(1)}));
}

TEST(TabHover, LeavingTheBandOrTheWindowForgetsTheHotTab) {
    HoverUpdate u = OnHover(HoverState{1, 1, false}, Point{400, 40}, 2, false);
    EXPECT_EQ(u.state.hotTab, -1);
    EXPECT_EQ(u.state.closeState, -1);
    EXPECT_EQ(u.tip, TipAction::Deactivate);
    u = OnMouseLeave(HoverState{1, 2, false});
    EXPECT_EQ(u.state.hotTab, -1);
    EXPECT_EQ(u.invalidate, (std::vector<Rect>{TabRect(1)}));
    EXPECT_TRUE(OnMouseLeave(HoverState{}).invalidate.empty());
}

TEST(TabClose, CurrentTabAfterClosing) {
    EXPECT_EQ(CurrentAfterClose(2, 3), 1);  // the last: the second becomes current
    EXPECT_EQ(CurrentAfterClose(0, 3), 0);  // the first: the former second, now at 0
    EXPECT_EQ(CurrentAfterClose(1, 3), 1);
    EXPECT_EQ(CurrentAfterClose(1, 2), 0);
}

TEST(TabSwitch, NextTabWraps) {
    EXPECT_EQ(NextTab(0, 3), 1);
    EXPECT_EQ(NextTab(2, 3), 0);
    EXPECT_EQ(NextTab(0, 1), 0);
    EXPECT_EQ(NextTab(0, 0), 0);
}
