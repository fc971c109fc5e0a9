// CSettingDlg: the hot-key settings. The user presses a combination into a field; OK saves
// the keys to the settings file and tells every main window to reload them.
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
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    HBRUSH OnCtlColor(HDC dc, HWND control);

    // One row per key, in HotKeyField order: the field and the key it holds.
    std::array<CEdit, kHotKeyFieldCount> m_editKeys;
    std::array<int, kHotKeyFieldCount> m_keyVks{};
    std::array<CStaticEx, 2 * kHotKeyFieldCount> m_labels;
    CStaticEx m_linkLog;  // "打开日志文件夹": Explorer with the support log selected
    CBtnEx m_btnOk;
    CBtnEx m_btnCancel;
    UniqueBitmap m_bmpButton;
    UniqueBrush m_groupBrush;
};
