// The skinned controls drawn into memory bitmaps, checked pixel by pixel.
#include "skin/SkinnedButton.h"
#include "skin/SkinnedProgressBar.h"
#include "skin/SkinnedLabel.h"
#include "support/Pixels.h"
#include "support/TestParent.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kRed = RGB(200, 0, 0);
const COLORREF kGreen = RGB(0, 200, 0);
const COLORREF kBlue = RGB(0, 0, 200);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kMagenta = RGB(255, 0, 255);

struct ButtonFixture : ::testing::Test {
    TestParent parent;
    SkinnedButton button;
    UniqueBitmap strip{MakeBandsBitmap({kRed, kGreen, kBlue, kGrey}, 20, 20)};

    void Make(int width, int height) {
        ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{10, 10, 10 + width, 10 + height},
                                  parent.m_hWnd, 100));
        button.SetSkinBitmap(strip.Get(), false);
    }
    COLORREF Draw(UINT state, int x = 5, int y = 5) {
        MemoryCanvas canvas(40, 30);
        button.DrawItem(canvas.Dc(), state);
        return canvas.At(x, y);
    }
};
}  // namespace

TEST_F(ButtonFixture, EachStateShowsItsPicture) {
    Make(20, 20);
    EXPECT_EQ(Draw(0), kRed);
    button.SendMessage(WM_MOUSEHOVER);
    EXPECT_EQ(Draw(0), kGreen);
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(Draw(0), kRed);
    EXPECT_EQ(Draw(ODS_DISABLED), kGrey);
}

TEST_F(ButtonFixture, PressedPictureStaysUntilTheButtonIsReleased) {
    Make(20, 20);
    EXPECT_EQ(Draw(ODS_SELECTED), kBlue);
    // The mouse slid off: the system no longer reports "selected", the latch keeps the look.
    EXPECT_EQ(Draw(0), kBlue);
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    EXPECT_EQ(Draw(0), kRed);
}

TEST_F(ButtonFixture, WiderButtonStretchesThePicture) {
    Make(30, 20);
    EXPECT_EQ(Draw(0, 28, 10), kRed);  // beyond the picture's own 20 pixels
    EXPECT_EQ(Draw(0, 0, 0), kRed);
}

TEST_F(ButtonFixture, StripStaysUsableForAnotherButton) {
    Make(20, 20);
    SkinnedButton second;
    ASSERT_TRUE(second.Create(L"", WS_CHILD | WS_VISIBLE, RECT{40, 10, 60, 30}, parent.m_hWnd, 101));
    second.SetSkinBitmap(strip.Get(), false);
    MemoryCanvas canvas(20, 20);
    second.DrawItem(canvas.Dc(), 0);
    EXPECT_EQ(canvas.At(5, 5), kRed);
}

TEST_F(ButtonFixture, MagentaInThePictureShowsTheParent) {
    UniqueBitmap keyed(MakeBandsBitmap({kMagenta, kGreen, kBlue, kGrey}, 20, 20));
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, RECT{10, 10, 30, 30}, parent.m_hWnd, 100));
    button.SetSkinBitmap(keyed.Get(), false);
    EXPECT_EQ(Draw(0), TestParent::kBackground);
    button.DestroyWindow();
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, RECT{10, 10, 40, 30}, parent.m_hWnd, 100));
    button.SetSkinBitmap(keyed.Get(), false);
    EXPECT_EQ(Draw(0, 25, 10), TestParent::kBackground);  // stretched, still keyed
}

TEST_F(ButtonFixture, ResizeTakesOnePictureSize) {
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 5, 5}, parent.m_hWnd, 100));
    button.SetSkinBitmap(strip.Get(), true);
    const RECT rc = button.GetClientRect();
    EXPECT_EQ(rc.right, 20);
    EXPECT_EQ(rc.bottom, 20);
}

namespace {
struct ProgressFixture : ::testing::Test {
    TestParent parent;
    SkinnedProgressBar progress;
    void SetUp() override {
        ASSERT_TRUE(progress.CreateEx(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, RECT{5, 5, 50, 20},
                                      parent.m_hWnd, 200));
        // Background 100 x 10 white; bar 80 x 6: left half red, right half blue.
        progress.SetImages(MakeBandsBitmap({RGB(255, 255, 255)}, 100, 10), MakeBandsBitmap({kRed, kBlue}, 40, 6));
        progress.SetRange(0, 100);
    }
    // Colours along the bar's middle row (bar at x 10..90, y 2..8).
    std::vector<COLORREF> Row(int position) {
        progress.SetPos(position);
        MemoryCanvas canvas(100, 10);
        progress.Paint(canvas.Dc());
        std::vector<COLORREF> row;
        for (int x = 10; x < 90; ++x) row.push_back(canvas.At(x, 5));
        return row;
    }
};
}  // namespace

TEST_F(ProgressFixture, ControlTakesTheBackgroundSize) {
    const RECT rc = progress.GetClientRect();
    EXPECT_EQ(rc.right, 100);
    EXPECT_EQ(rc.bottom, 10);
}

TEST_F(ProgressFixture, ZeroShowsOnlyTheBackground) {
    for (COLORREF c : Row(0)) EXPECT_EQ(c, RGB(255, 255, 255));
}

TEST_F(ProgressFixture, HalfShowsBothEndsOfTheBar) {
    const auto row = Row(50);  // filled 40: 20 columns of the left end, 20 of the right end
    for (int x = 0; x < 20; ++x) EXPECT_EQ(row[x], kRed) << x;
    for (int x = 20; x < 40; ++x) EXPECT_EQ(row[x], kBlue) << x;
    for (int x = 40; x < 80; ++x) EXPECT_EQ(row[x], RGB(255, 255, 255)) << x;
}

TEST_F(ProgressFixture, FullShowsTheWholeBar) {
    const auto row = Row(100);
    for (int x = 0; x < 40; ++x) EXPECT_EQ(row[x], kRed) << x;
    for (int x = 40; x < 80; ++x) EXPECT_EQ(row[x], kBlue) << x;
}

TEST(SkinnedLabel, LongTextWrapsAndTheLabelGrows) {
    TestParent parent;
    SkinnedLabel label;
    ASSERT_TRUE(label.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 60, 14}, parent.m_hWnd, 300));
    label.m_strText = L"在当前窗口新增标签页？点击是在当前窗口登录";
    MemoryCanvas canvas(60, 200);
    const int lines = label.Paint(canvas.Dc());
    EXPECT_GT(lines, 2);
    EXPECT_GT(label.GetClientRect().bottom, 14);
}

TEST(SkinnedLabel, ASingleLineLabelNeverGrowsAndKeepsItsTextInside) {
    TestParent parent;
    SkinnedLabel label;
    ASSERT_TRUE(label.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 60, 14}, parent.m_hWnd, 301));
    label.m_bSingleLine = true;
    label.m_crText = RGB(0, 0, 0);
    label.m_strText = L"在当前窗口新增标签页？点击是在当前窗口登录";
    MemoryCanvas canvas(60, 40, RGB(255, 255, 255));
    EXPECT_EQ(label.Paint(canvas.Dc()), 1);
    EXPECT_EQ(label.GetClientRect().bottom, 14);
    // Dark text was drawn, and nothing below the label's own height.
    int inked = 0;
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 60; ++x) {
            const COLORREF c = canvas.At(x, y);
            inked += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
        }
    }
    EXPECT_GT(inked, 0);
    for (int y = 14; y < 40; ++y)
        for (int x = 0; x < 60; ++x) EXPECT_EQ(canvas.At(x, y), RGB(255, 255, 255)) << x << "," << y;
}
