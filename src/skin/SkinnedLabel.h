// SkinnedLabel: a label that wraps its text itself, with its own font, a hover colour, an
// optional hand cursor and an optional picture at its left.
#pragma once
#include "framework/Controls.h"

#include <string>

class SkinnedLabel : public CStatic {
public:
    // The whole bitmap becomes the picture (magenta transparent); the caller keeps it.
    void SetImage(HBITMAP bitmap);
    void SetText(const std::wstring& text);

    std::wstring m_strText;
    int m_nFontWidth = 0;     // 0: the base font's
    int m_nFontWeight = -1;   // -1: the base font's
    int m_nFontHeight = 0;    // 0: -12
    bool m_bHandCursor = false;
    bool m_bUnderline = false;
    COLORREF m_crText = 0;
    COLORREF m_crHover = 0;
    int m_nLineSpacing = 3;
    bool m_bHoverColor = false;
    // One line that never grows: text too wide for it ends in "..." (a title above other
    // labels must not spread over them).
    bool m_bSingleLine = false;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

    // Paints into any DC (the paint handler and tests); returns the number of lines drawn.
    int Paint(HDC target);

private:
    HFONT LabelFont();

    UniqueFont m_font;
    bool m_bHover = false;
    bool m_bTracking = false;
    CImageList m_imgPicture;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
};
