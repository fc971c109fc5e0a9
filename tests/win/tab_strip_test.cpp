// The main window's tab bookkeeping with real windows of this process as the tabs' frames:
// which tab is current after a change, which windows count as tab frames, closing and
// dropping tabs whose frame went away.
#include "mainwnd/TabStrip.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
class TabStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = Make(WS_OVERLAPPEDWINDOW);
        ASSERT_NE(owner, nullptr);
        for (HWND& frame : frames) {
            frame = Make(WS_POPUP);
            ASSERT_NE(frame, nullptr);
        }
        strip.Create(owner);
    }
    void TearDown() override {
        for (HWND frame : frames) {
            if (::IsWindow(frame)) ::DestroyWindow(frame);
        }
        ::DestroyWindow(owner);
    }
    static HWND Make(DWORD style) {
        return ::CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 50, 50, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    }

    HWND owner = nullptr;
    HWND frames[3] = {};
    TabStrip strip;
};
}  // namespace

TEST_F(TabStripTest, AJoiningFrameBecomesTheLastAndCurrentTab) {
    EXPECT_EQ(strip.Count(), 0);
    EXPECT_EQ(strip.CurrentFrame(), nullptr);
    for (HWND frame : frames) strip.RegisterFrame(frame);
    EXPECT_EQ(strip.Count(), 3);
    EXPECT_EQ(strip.Current(), 2);
    EXPECT_EQ(strip.CurrentFrame(), frames[2]);
    EXPECT_EQ(strip.FrameAt(0), frames[0]);
    EXPECT_TRUE(strip.IsTabFrame(frames[1]));
    EXPECT_FALSE(strip.IsTabFrame(owner));
    EXPECT_FALSE(strip.IsTabFrame(nullptr));
    // A frame already there only becomes current again.
    strip.RegisterFrame(frames[0]);
    EXPECT_EQ(strip.Count(), 3);
    EXPECT_EQ(strip.CurrentFrame(), frames[0]);
}

TEST_F(TabStripTest, SelectingAndTheSwitchKeyWrapAroundTheTabs) {
    for (HWND frame : frames) strip.RegisterFrame(frame);
    strip.Select(1);
    EXPECT_EQ(strip.CurrentFrame(), frames[1]);
    strip.SelectNext();
    EXPECT_EQ(strip.CurrentFrame(), frames[2]);
    strip.SelectNext();
    EXPECT_EQ(strip.CurrentFrame(), frames[0]);
}

TEST_F(TabStripTest, ClosingTakesTheTabAwayButNeverTheLastOne) {
    for (HWND frame : frames) strip.RegisterFrame(frame);
    strip.Select(1);
    EXPECT_TRUE(strip.Close(frames[1]));
    EXPECT_EQ(strip.Count(), 2);
    EXPECT_FALSE(strip.IsTabFrame(frames[1]));
    EXPECT_EQ(strip.CurrentFrame(), frames[2]);  // the tab that took its place
    EXPECT_FALSE(strip.Close(frames[1]));        // gone already
    EXPECT_TRUE(strip.Close(frames[2]));
    EXPECT_EQ(strip.CurrentFrame(), frames[0]);
    EXPECT_FALSE(strip.Close(frames[0]));  // the last tab is the window's question
    EXPECT_EQ(strip.Count(), 1);
}

TEST_F(TabStripTest, ATabWhoseFrameIsGoneIsDropped) {
    for (HWND frame : frames) strip.RegisterFrame(frame);
    EXPECT_FALSE(strip.DropEnded());  // this process lives and every frame is there
    ::DestroyWindow(frames[2]);
    ::DestroyWindow(frames[0]);
    EXPECT_TRUE(strip.DropEnded());
    EXPECT_EQ(strip.Count(), 1);
    EXPECT_EQ(strip.CurrentFrame(), frames[1]);
    EXPECT_FALSE(strip.DropEnded());
}

namespace {
// Whether the canvas holds a pixel near the colour inside the rectangle.
bool HoldsColour(const MemoryCanvas& canvas, const Rect& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF p = canvas.At(x, y);
            if (std::abs(GetRValue(p) - GetRValue(colour)) < 40 && std::abs(GetGValue(p) - GetGValue(colour)) < 40 &&
                std::abs(GetBValue(p) - GetBValue(colour)) < 40)
                return true;
        }
    }
    return false;
}
}  // namespace

TEST_F(TabStripTest, AMutedTabShowsItsMarkAndTheOthersNone) {
    for (HWND frame : frames) strip.RegisterFrame(frame);
    strip.SetView(1, tabs::TabView{true, {}});
    EXPECT_TRUE(strip.At(1)->view.muted);
    EXPECT_FALSE(strip.At(0)->view.muted);
    MemoryCanvas canvas(800, 30);
    strip.Draw(canvas.Dc(), LOGFONTW{});
    const COLORREF markRed = RGB(214, 52, 40);
    EXPECT_TRUE(HoldsColour(canvas, tabs::MutedMarkRect(1), markRed));
    EXPECT_FALSE(HoldsColour(canvas, tabs::MutedMarkRect(0), markRed));
    EXPECT_FALSE(HoldsColour(canvas, tabs::MutedMarkRect(2), markRed));
}
