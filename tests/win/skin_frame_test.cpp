// The skinned frame: region cut from the frame image's magenta corners, painting, maximise.
#include "res/resource.h"
#include "skin/SkinnedDialog.h"
#include "skin/ImageLoading.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

namespace {
class FrameDialog : public SkinnedDialog {
public:
    FrameDialog() : SkinnedDialog(IDD_MESSAGE_BOX) {}
    BOOL OnInitDialog() override {
        SkinnedDialog::OnInitDialog();
        SetStandardSkin(IDP_MAIN_FRAME, true);
        m_bResizable = true;
        SetWindowText(L"QuarnelHalvira");
        return TRUE;
    }
};

struct FrameFixture : ::testing::Test {
    FrameDialog dialog;
    UniqueBitmap image{LoadSkinImage(::GetModuleHandleW(nullptr), IDP_MAIN_FRAME)};
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(IDD_MESSAGE_BOX, nullptr));
        ASSERT_TRUE(image);
    }
    bool ImageMagenta(int x, int y) { return BitmapPixel(image.Get(), x, y) == RGB(255, 0, 255); }

    // Every pixel of the four 9 x 9 corners: cut exactly where the image is magenta.
    void ExpectCornersCut(int w, int h) {
        dialog.SetWindowPos(nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(dialog.m_hWnd, region), ERROR);
        const SIZE is = BitmapSize(image.Get());
        int cut = 0;
        for (int dy = 0; dy < 9; ++dy) {
            for (int dx = 0; dx < 9; ++dx) {
                const struct {
                    int ix, iy, wx, wy;
                } corners[] = {{dx, dy, dx, dy},
                               {is.cx - 1 - dx, dy, w - 1 - dx, dy},
                               {dx, is.cy - 1 - dy, dx, h - 1 - dy},
                               {is.cx - 1 - dx, is.cy - 1 - dy, w - 1 - dx, h - 1 - dy}};
                for (const auto& c : corners) {
                    const bool magenta = ImageMagenta(c.ix, c.iy);
                    cut += magenta;
                    EXPECT_EQ(::PtInRegion(region, c.wx, c.wy) == FALSE, magenta)
                        << "window " << w << "x" << h << " at " << c.wx << "," << c.wy;
                }
            }
        }
        EXPECT_GT(cut, 0);  // the frame image really has transparent corners
        EXPECT_TRUE(::PtInRegion(region, w / 2, h / 2));
        ::DeleteObject(region);
    }
};
}  // namespace

TEST_F(FrameFixture, CornersAreCutAtEverySize) {
    ExpectCornersCut(300, 200);
    ExpectCornersCut(517, 333);
}

TEST_F(FrameFixture, PaintStretchesTheBodyAndKeepsTheBand) {
    dialog.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    MemoryCanvas canvas(400, 300, RGB(1, 2, 3));
    ASSERT_TRUE(dialog.PaintFrame(canvas.Dc()));
    const SIZE is = BitmapSize(image.Get());
    // The centre of the window shows the image's centre colour; the band its band colour.
    EXPECT_EQ(canvas.At(200, 200), BitmapPixel(image.Get(), is.cx / 2, 40));
    EXPECT_EQ(canvas.At(200, 29), BitmapPixel(image.Get(), is.cx / 2, 29));
    EXPECT_EQ(canvas.At(399, 299), BitmapPixel(image.Get(), is.cx - 1, is.cy - 1));
}

TEST_F(FrameFixture, CaptionButtonsFollowTheRightEdge) {
    dialog.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT close = dialog.m_btnClose.GetWindowRect();
    RECT frame = dialog.GetWindowRect();
    EXPECT_EQ(close.right, frame.right);
    dialog.SetWindowPos(nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER);
    close = dialog.m_btnClose.GetWindowRect();
    frame = dialog.GetWindowRect();
    EXPECT_EQ(close.right, frame.right);
    const RECT max = dialog.m_btnMax.GetWindowRect();
    const RECT min = dialog.m_btnMin.GetWindowRect();
    EXPECT_EQ(max.right, close.left);
    EXPECT_EQ(min.right, max.left);
}

TEST_F(FrameFixture, MaximiseThenRestoreLandsOnTheEighthInset) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    dialog.SetWindowPos(nullptr, 13, 17, 250, 150, SWP_NOZORDER);
    dialog.ToggleMaximize();
    EXPECT_TRUE(dialog.m_bMaximized);
    RECT rc = dialog.GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, work.right - work.left);
    dialog.ToggleMaximize();
    EXPECT_FALSE(dialog.m_bMaximized);
    rc = dialog.GetWindowRect();
    const int w = work.right - work.left;
    const int h = work.bottom - work.top;
    EXPECT_EQ(rc.left, work.left + w / 8);
    EXPECT_EQ(rc.top, work.top + h / 8);
    EXPECT_EQ(rc.right, work.right - w / 8);
    EXPECT_EQ(rc.bottom, work.bottom - h / 8);
}

TEST_F(FrameFixture, HitTestResizesFromEdgesAndDragsFromTheBand) {
    dialog.SetWindowPos(nullptr, 100, 100, 400, 300, SWP_NOZORDER);
    auto hit = [&](int x, int y) {
        return static_cast<int>(dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)));
    };
    EXPECT_EQ(hit(1, 150), HTLEFT);
    EXPECT_EQ(hit(398, 150), HTRIGHT);
    EXPECT_EQ(hit(200, 298), HTBOTTOM);
    EXPECT_EQ(hit(200, 1), HTTOP);
    EXPECT_EQ(hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(200, 15), HTCAPTION);
    EXPECT_EQ(hit(200, 150), HTCLIENT);
}
