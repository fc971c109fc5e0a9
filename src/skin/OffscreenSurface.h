// One off-screen surface per paint: everything is composed here and reaches the screen in
// a single copy, so skinned windows never flicker.
#pragma once
#include "base/Handles.h"

class OffscreenSurface {
public:
    OffscreenSurface(HDC reference, int width, int height) noexcept;
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    [[nodiscard]] HDC Dc() const noexcept { return m_dc.Get(); }
    [[nodiscard]] bool Ok() const noexcept { return m_dc && m_bitmap; }
    [[nodiscard]] int Width() const noexcept { return m_width; }
    [[nodiscard]] int Height() const noexcept { return m_height; }
    void CopyTo(HDC target, int x = 0, int y = 0) const noexcept;

private:
    UniqueMemoryDC m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width;
    int m_height;
};

// Asks the control's parent to erase its background into the surface, shifted so the
// parent's pixels under the control land at (0, 0): skinned controls look transparent.
void PaintParentBackground(HWND control, HDC surface);

// Draws a bitmap with magenta as the transparent colour, stretching when the sizes differ.
void DrawKeyed(HDC target, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh);
