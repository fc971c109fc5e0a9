// SkinnedButton: an owner-drawn image button with four state pictures (normal, hover, pressed,
// disabled), an optional caption and a tooltip.
#pragma once
#include "framework/Controls.h"
#include "skin/CachedFont.h"
#include "skin/rules/ButtonStates.h"

#include <string>

class SkinnedButton : public CButton {
public:
    // The strip holds the four state pictures side by side. With resize the button takes
    // one picture's size. The caller keeps ownership of the bitmap.
    void SetSkinBitmap(HBITMAP strip, bool resize);
    void SetToolTipText(const wchar_t* text);
    // A visible child button one picture wide whose right edge is at `right`.
    bool CreateImageButton(int right, int top, HBITMAP strip, UINT id, HWND parent);
    void SetText(const std::wstring& text);
    void ResetMouseState() { m_state = skin::ButtonMouseState(); }

    COLORREF m_crText = 0;
    bool m_bHandCursor = false;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void PreSubclassWindow() override;

    // Draws into any DC: used by WM_DRAWITEM reflection and by tests.
    void DrawItem(HDC target, UINT itemState);

private:
    void RefreshWindowRect();

    RECT m_rcWnd{};
    std::wstring m_strText;
    CImageList m_imgStates;
    SIZE m_szPicture{0, 0};
    skin::ButtonMouseState m_state;
    bool m_bTipOn = false;
    CToolTipCtrl m_tip;
    std::wstring m_strTip;
    CachedFont m_textFont;
};
