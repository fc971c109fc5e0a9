// The launcher's modal message box: skinned frame, caption "QuarnelHalvira", types 0 (确定),
// 1 (确定/取消), 4 (是/否); returns 1, 2, 6 or 7.
#pragma once
#include "skin/SkinnedDialog.h"

#include <string>

class SkinnedMessageBox : public SkinnedDialog {
public:
    explicit SkinnedMessageBox(HWND parent) noexcept;

    BOOL OnInitDialog() override;
    void OnOK() override {}      // Enter never ends the box
    void OnCancel() override {}  // nor does Esc
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UniqueBitmap m_backgroundBitmap;
    UniqueBitmap m_hCloseImage;
    UniqueBitmap m_hBtn1Image;
    UniqueBitmap m_hBtn2Image;
    std::wstring m_strText;
    std::wstring m_strTitle;
    int m_nType = 0;
    COLORREF m_crText = 0;

protected:
    void PaintContent(HDC dc) override;

private:
    int m_nLines = 1;
    int m_nTextWidth = 0;
    int m_nTextHeight = 0;
    SkinnedButton m_btnFirst;
    SkinnedButton m_btnSecond;
    CStatic m_accessibleText;
};

int ShowSkinnedMessageBox(int type, const wchar_t* text, HWND parent);
