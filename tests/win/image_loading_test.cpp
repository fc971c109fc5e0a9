// PNG resources and image files become the bitmaps the skinned windows draw with.
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "support/Pixels.h"
#include "support/Process.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kMagenta = RGB(255, 0, 255);
HMODULE Self() { return ::GetModuleHandleW(nullptr); }
}  // namespace

TEST(ImageLoading, ResourceImageKeepsItsSizeAndMagentaCorners) {
    UniqueBitmap frame(LoadSkinImage(Self(), IDP_DIALOG_FRAME));
    ASSERT_TRUE(frame);
    const SIZE size = BitmapSize(frame.Get());
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 51);
    EXPECT_EQ(BitmapPixel(frame.Get(), 0, 0), kMagenta);
    EXPECT_NE(BitmapPixel(frame.Get(), 15, 40), kMagenta);
}

TEST(ImageLoading, TransparentPixelsOfAnAlphaImageBecomeMagenta) {
    UniqueBitmap background(LoadSkinImage(Self(), IDP_LOGIN_BACKGROUND));
    ASSERT_TRUE(background);
    EXPECT_EQ(BitmapSize(background.Get()).cx, 1055);
    EXPECT_EQ(BitmapPixel(background.Get(), 0, 0), kMagenta);        // fully transparent corner
    EXPECT_NE(BitmapPixel(background.Get(), 527, 369), kMagenta);    // opaque middle
}

TEST(ImageLoading, MissingResourceGivesNull) {
    EXPECT_FALSE(LoadSkinImage(Self(), 4242));
}

TEST(ImageLoading, ImageFileIsDrawnOnWhite) {
    // Write a resource PNG out as a file and load it back.
    HRSRC res = ::FindResourceW(Self(), MAKEINTRESOURCEW(IDP_TAB_CLOSE), L"PNG");
    ASSERT_NE(res, nullptr);
    const std::wstring path = TempFolder(L"image_file") + L"\\PopWnd.png";
    {
        UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file.Get(), ::LockResource(::LoadResource(Self(), res)), ::SizeofResource(Self(), res),
                                &written, nullptr));
    }
    int width = 0;
    int height = 0;
    UniqueBitmap bitmap(LoadImageFileBitmap(path.c_str(), &width, &height));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(width, 39);
    EXPECT_EQ(height, 13);
    int w = -1, h = -1;
    EXPECT_EQ(LoadImageFileBitmap((path + L".missing").c_str(), &w, &h), nullptr);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    // A file that is not an image at all.
    const std::wstring junk = TempFolder(L"image_junk") + L"\\PopWnd.jpg";
    {
        UniqueFile file(::CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ::WriteFile(file.Get(), "not an image", 12, &written, nullptr);
    }
    EXPECT_EQ(LoadImageFileBitmap(junk.c_str(), &w, &h), nullptr);
}
