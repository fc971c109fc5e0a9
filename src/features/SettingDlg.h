// CSettingDlg: the hot-key settings. The user presses a combination into a field; OK saves
// the three keys to the settings file and tells every main window to reload them.
#pragma once
#include "features/rules/HotKeys.h"
#include "framework/Controls.h"
#include "skin/BtnEx.h"
#include "skin/DlgEx.h"
#include "skin/StaticEx.h"

#include <array>

class CSettingDlg : public CDlgEx {
public:
    explicit CSettingDlg(HWND parent) noexcept;

    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    CEdit m_editBossKey;
    CEdit m_editSwitchKey;
    CEdit m_editSoundKey;
    int m_nBossVk = 0;
    int m_nSwitchVk = 0;
    int m_nSoundVk = 0;

private:
    HBRUSH OnCtlColor(HDC dc, HWND control);
    CEdit& EditOf(HotKeyField field);
    int& VkOf(HotKeyField field);

    std::array<CStaticEx, 6> m_labels;
    CBtnEx m_btnOk;
    CBtnEx m_btnCancel;
    UniqueBitmap m_bmpButton;
    UniqueBrush m_groupBrush;
};
