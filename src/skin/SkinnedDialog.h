// SkinnedDialog: a dialog without system caption or border, drawn from one frame image: corners,
// edges and centre, icon and title in the top band, caption buttons from four-state strips.
// Magenta corner pixels of the image are cut out of the window region at every size; the
// frame drags, optionally resizes from its edges and keeps its own maximised state.
#pragma once
#include "framework/Dialog.h"
#include "skin/SkinnedButton.h"
#include "skin/rules/FrameMaximize.h"
#include "skin/rules/FrameMetrics.h"

#include <cstdint>
#include <string>
#include <vector>

// What a skinned frame is drawn from: its image, how the image is used, and the four-state
// caption-button strips, each of which may be missing (no button then).
struct FrameSkin {
    UniqueBitmap frame;
    bool resizeToImage = false;  // the window takes the image's size
    bool stretch = false;        // the image's middle is stretched, else copied at its size
    UniqueBitmap minStrip;
    UniqueBitmap maxStrip;
    UniqueBitmap restoreStrip;
    UniqueBitmap closeStrip;
};

class SkinnedDialog : public CDialog {
public:
    explicit SkinnedDialog(UINT templateId, HWND parent = nullptr) noexcept;

    // Installs the frame image and creates the caption buttons from the strips it has.
    void SetSkin(FrameSkin skin);
    // The launcher's usual frame: a 30-pixel band, 4-pixel border, buttons flush with the
    // top right, the given frame image stretched, a close button and, when asked, maximise,
    // restore and minimise buttons.
    void SetStandardSkin(int frameImageId, bool withMinMax);
    void SetTitle(const wchar_t* text);
    // Takes the band, border and caption-button placement from one description.
    void SetFrameMetrics(const skin::FrameMetrics& metrics);
    void SetOverlay(UniqueBitmap overlay) { m_bmpOverlay = std::move(overlay); }

    virtual void OnCloseButton();
    virtual void OnMinButton();
    virtual void ToggleMaximize();
    virtual void UpdateMaxButton(bool maximized);

    // Composes the whole window (frame, icon, title) into the DC at (0, 0).
    bool PaintFrame(HDC target);

    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    bool m_bShowTitle = true;
    bool m_bShowIcon = true;
    bool m_bMaximized = false;
    SkinnedButton m_btnClose;
    SkinnedButton m_btnMin;
    SkinnedButton m_btnMax;
    int m_nCaptionHeight = -1;
    int m_nBtnRight = 5;
    int m_nBtnTop = 1;
    int m_nBtnGap = 0;
    int m_nBorder = 3;
    COLORREF m_crTitle = RGB(255, 255, 255);
    int m_nTitleWeight = 400;
    int m_nMaxWidth = 1440;
    int m_nMaxHeight = 900;
    RECT m_rcRestore{};
    bool m_bResizable = false;
    bool m_bStretch = false;

protected:
    // Draws what a derived window shows on top of its frame, into the off-screen surface.
    virtual void PaintContent(HDC) {}
    [[nodiscard]] skin::FrameMetrics Metrics() const;
    [[nodiscard]] HBITMAP FrameImage() const noexcept { return m_bmpBack.Get(); }

private:
    void BuildRegion();
    void LayoutCaptionButtons();
    void CacheFramePixels();
    [[nodiscard]] bool IsMagentaAt(int x, int y) const;

    CachedFont m_titleFont;
    UniqueBitmap m_bmpBack;
    UniqueBitmap m_bmpOverlay;
    UniqueBitmap m_bmpMax;
    UniqueBitmap m_bmpRestore;
    UniqueBitmap m_bmpMin;
    UniqueBitmap m_bmpClose;
    SIZE m_szBack{0, 0};
    std::vector<std::uint32_t> m_framePixels;  // top-down 0x00RRGGBB, for the region
};
