#include "support/Pixels.h"

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill) {
    WindowDC screen(nullptr);
    m_dc.Reset(::CreateCompatibleDC(screen.Get()));
    m_bitmap.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
    m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    UniqueBrush brush(::CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    ::FillRect(m_dc.Get(), &all, brush.Get());
}

MemoryCanvas::~MemoryCanvas() { ::SelectObject(m_dc.Get(), m_old); }

UniqueBitmap MakeBandsBitmap(const std::vector<COLORREF>& colours, int bandWidth, int height) {
    WindowDC screen(nullptr);
    const int width = bandWidth * static_cast<int>(colours.size());
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    UniqueMemoryDC dc(::CreateCompatibleDC(screen.Get()));
    SelectScope select(dc.Get(), bitmap.Get());
    for (size_t i = 0; i < colours.size(); ++i) {
        UniqueBrush brush(::CreateSolidBrush(colours[i]));
        const RECT band{static_cast<int>(i) * bandWidth, 0, static_cast<int>(i + 1) * bandWidth, height};
        ::FillRect(dc.Get(), &band, brush.Get());
    }
    return bitmap;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    WindowDC screen(nullptr);
    UniqueMemoryDC dc(::CreateCompatibleDC(screen.Get()));
    SelectScope select(dc.Get(), bitmap);
    return ::GetPixel(dc.Get(), x, y);
}
