#include "skin/OffscreenSurface.h"

#include "skin/rules/ControlBackground.h"

OffscreenSurface::OffscreenSurface(HDC reference, int width, int height) noexcept
    : m_dc(::CreateCompatibleDC(reference)),
      m_bitmap(::CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1)),
      m_width(width),
      m_height(height) {
    if (m_dc && m_bitmap) m_oldBitmap = ::SelectObject(m_dc.Get(), m_bitmap.Get());
}

OffscreenSurface::~OffscreenSurface() {
    if (m_oldBitmap) ::SelectObject(m_dc.Get(), m_oldBitmap);
}

void OffscreenSurface::CopyTo(HDC target, int x, int y) const noexcept {
    if (Ok()) ::BitBlt(target, x, y, m_width, m_height, m_dc.Get(), 0, 0, SRCCOPY);
}

void PaintParentBackground(HWND control, HDC surface) {
    HWND parent = ::GetParent(control);
    if (!parent) return;
    RECT controlRect{};
    RECT parentRect{};
    ::GetWindowRect(control, &controlRect);
    ::GetWindowRect(parent, &parentRect);
    const Point origin = skin::ParentBackgroundOrigin(
        Rect{controlRect.left, controlRect.top, controlRect.right, controlRect.bottom},
        Rect{parentRect.left, parentRect.top, parentRect.right, parentRect.bottom});
    POINT old{};
    ::SetViewportOrgEx(surface, origin.x, origin.y, &old);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface), 0);
    ::SetViewportOrgEx(surface, old.x, old.y, nullptr);
}

void DrawKeyed(HDC target, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh) {
    ::TransparentBlt(target, x, y, w, h, source, sx, sy, sw, sh, RGB(255, 0, 255));
}
