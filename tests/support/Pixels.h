// Memory bitmaps for drawing checks: draw into one, then read its pixels back.
#pragma once
#include "base/Handles.h"

#include <cstdint>
#include <vector>

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    [[nodiscard]] HDC Dc() const noexcept { return m_dc.Get(); }
    [[nodiscard]] COLORREF At(int x, int y) const noexcept { return ::GetPixel(m_dc.Get(), x, y); }

private:
    UniqueMemoryDC m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

// A bitmap of solid vertical bands, left to right; each band `bandWidth` wide.
UniqueBitmap MakeBandsBitmap(const std::vector<COLORREF>& colours, int bandWidth, int height);
// The colour of a bitmap's pixel.
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);
