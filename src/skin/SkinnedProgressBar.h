// SkinnedProgressBar: a progress bar drawn from a background picture and a bar picture. The
// filled part always shows the bar picture's two ends; its middle is left out.
#pragma once
#include "framework/Controls.h"

class SkinnedProgressBar : public CProgressCtrl {
public:
    // Keeps both bitmaps and sizes the control to the background.
    void SetImages(UniqueBitmap background, UniqueBitmap bar);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC target);

private:
    UniqueBitmap m_hbmBack;
    UniqueBitmap m_hbmBar;
    RECT m_rcBack{};
    RECT m_rcBar{};
};
