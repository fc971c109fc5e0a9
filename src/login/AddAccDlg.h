// CAddAccDlg: drops down below "登录其他账号" and asks whether the next account logs in
// in a new tab (是) or a new window (否). It only asks; the main window carries it out.
#pragma once
#include "skin/BtnEx.h"
#include "skin/DlgEx.h"
#include "skin/StaticEx.h"

class CAddAccDlg : public CDlgEx {
public:
    CAddAccDlg() noexcept;

    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    CBtnEx m_btnYes;
    CBtnEx m_btnNo;
    CStaticEx m_lblText;

private:
    void Answer(WPARAM choice);
    UniqueBitmap m_bmpButton;
};
