#include "skin/SkinnedProgressBar.h"

#include "skin/ImageLoading.h"
#include "skin/OffscreenSurface.h"
#include "skin/rules/ProgressSplit.h"

void SkinnedProgressBar::SetImages(UniqueBitmap background, UniqueBitmap bar) {
    m_hbmBack = std::move(background);
    m_hbmBar = std::move(bar);
    const SIZE back = BitmapSize(m_hbmBack.Get());
    const SIZE barSize = BitmapSize(m_hbmBar.Get());
    SetWindowPos(nullptr, 0, 0, back.cx, back.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_rcBack = RECT{0, 0, back.cx, back.cy};
    const Rect r = skin::ProgressBarRect(Size{back.cx, back.cy}, Size{barSize.cx, barSize.cy});
    m_rcBar = RECT{r.left, r.top, r.right, r.bottom};
    Invalidate(FALSE);
}

void SkinnedProgressBar::Paint(HDC target) {
    const int width = m_rcBack.right > 0 ? m_rcBack.right : GetClientRect().right;
    const int height = m_rcBack.bottom > 0 ? m_rcBack.bottom : GetClientRect().bottom;
    OffscreenSurface surface(target, width, height);
    if (!surface.Ok()) return;
    PaintParentBackground(m_hWnd, surface.Dc());

    UniqueMemoryDC source(::CreateCompatibleDC(target));
    if (m_hbmBack) {
        SelectScope select(source.Get(), m_hbmBack.Get());
        DrawKeyed(surface.Dc(), 0, 0, m_rcBack.right, m_rcBack.bottom, source.Get(), 0, 0, m_rcBack.right,
                  m_rcBack.bottom);
    }
    if (m_hbmBar) {
        int lower = 0;
        int upper = 0;
        GetRange(lower, upper);
        const Rect bar{m_rcBar.left, m_rcBar.top, m_rcBar.right, m_rcBar.bottom};
        SelectScope select(source.Get(), m_hbmBar.Get());
        for (const skin::ProgressPiece& piece : skin::ProgressPieces(bar, lower, upper, GetPos())) {
            DrawKeyed(surface.Dc(), piece.dest.left, piece.dest.top, piece.dest.Width(), piece.dest.Height(),
                      source.Get(), piece.source.left, piece.source.top, piece.source.Width(), piece.source.Height());
        }
    }
    surface.CopyTo(target);
}

LRESULT SkinnedProgressBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PaintDC paint(m_hWnd);
            Paint(paint.Get());
            return 0;
        }
        case WM_ERASEBKGND:
            return TRUE;
        default:
            return CProgressCtrl::WindowProc(msg, wParam, lParam);
    }
}
