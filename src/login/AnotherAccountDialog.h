// AnotherAccountDialog: drops down below "登录其他账号" and asks whether the next account logs in
// in a new tab (是) or a new window (否). It only asks; the main window carries it out.
#pragma once
#include "skin/SkinnedButton.h"
#include "skin/SkinnedDialog.h"
#include "skin/SkinnedLabel.h"

class AnotherAccountDialog : public SkinnedDialog {
public:
    AnotherAccountDialog() noexcept;

    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    SkinnedButton m_btnYes;
    SkinnedButton m_btnNo;
    SkinnedLabel m_lblText;

private:
    void Answer(WPARAM choice);
    UniqueBitmap m_bmpButton;
};
