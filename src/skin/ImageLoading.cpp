#include "skin/ImageLoading.h"

#include "base/Handles.h"
#include "skin/Gdiplus.h"
#include "skin/rules/KeyedPixels.h"

#include <memory>

namespace {
// An IStream over a copy of the resource bytes; the stream frees the memory.
ComPtr<IStream> StreamOverCopy(const void* bytes, DWORD size) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    if (void* dest = ::GlobalLock(memory)) {
        memcpy(dest, bytes, size);
        ::GlobalUnlock(memory);
    }
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    return stream;
}
}  // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadPngResource(HMODULE module, int id) {
    if (!StartProcessGdiplus()) return nullptr;
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!res) return nullptr;
    const DWORD size = ::SizeofResource(module, res);
    const void* bytes = ::LockResource(::LoadResource(module, res));
    if (!bytes || size == 0) return nullptr;
    ComPtr<IStream> stream = StreamOverCopy(bytes, size);
    if (!stream) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(stream.Get()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return image;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(bm), &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

HBITMAP ImageToKeyedBitmap(Gdiplus::Bitmap* image, COLORREF key) {
    if (!image) return nullptr;
    const int width = static_cast<int>(image->GetWidth());
    const int height = static_cast<int>(image->GetHeight());
    if (width <= 0 || height <= 0) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;

    Gdiplus::BitmapData data{};
    Gdiplus::Rect all(0, 0, width, height);
    if (image->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return nullptr;
    // The key arrives as a COLORREF (0x00BBGGRR); the pixel rule wants 0x00RRGGBB.
    const std::uint32_t keyRgb = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    skin::ConvertToKeyedBottomUp(data.Scan0, data.Stride, width, height, static_cast<std::uint32_t*>(bits), keyRgb);
    image->UnlockBits(&data);
    return bitmap.Release();
}

UniqueBitmap LoadSkinImage(HMODULE module, int id) {
    if (HBITMAP plain = static_cast<HBITMAP>(
            ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
        return UniqueBitmap(plain);
    }
    HBITMAP result = nullptr;
    if (std::unique_ptr<Gdiplus::Bitmap> image = LoadPngResource(module, id)) {
        result = ImageToKeyedBitmap(image.get(), RGB(255, 0, 255));
        if (!result) image->GetHBITMAP(Gdiplus::Color(0xFF, 0xFF, 0x00, 0xFF), &result);
    }
    return UniqueBitmap(result);
}

HBITMAP LoadImageFileBitmap(const wchar_t* path, int* width, int* height) {
    if (width) *width = 0;
    if (height) *height = 0;
    if (!path || !StartProcessGdiplus()) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromFile(path));
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return nullptr;
    const int w = static_cast<int>(image->GetWidth());
    const int h = static_cast<int>(image->GetHeight());
    if (width) *width = w;
    if (height) *height = h;
    if (w <= 0 || h <= 0) return nullptr;

    WindowDC screen(nullptr);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), w, h));
    UniqueMemoryDC dc(::CreateCompatibleDC(screen.Get()));
    if (!bitmap || !dc) return nullptr;
    {
        SelectScope select(dc.Get(), bitmap.Get());
        const RECT all{0, 0, w, h};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        Gdiplus::Graphics graphics(dc.Get());
        graphics.DrawImage(image.get(), 0, 0, w, h);
    }
    return bitmap.Release();
}
