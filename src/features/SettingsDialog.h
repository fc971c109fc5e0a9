// SettingsDialog: the hot-key settings. The user presses a combination into a field; OK saves
// the keys to the settings file and tells every main window to reload them.
#pragma once
#include "features/rules/HotKeys.h"
#include "framework/Controls.h"
#include "skin/SkinnedButton.h"
#include "skin/SkinnedDialog.h"
#include "skin/SkinnedLabel.h"

#include <array>

class SettingsDialog : public SkinnedDialog {
public:
    explicit SettingsDialog(HWND parent) noexcept;

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
    std::array<SkinnedLabel, 2 * kHotKeyFieldCount> m_labels;
    SkinnedLabel m_linkLog;  // "打开日志文件夹": Explorer with the support log selected
    SkinnedButton m_btnOk;
    SkinnedButton m_btnCancel;
    UniqueBitmap m_bmpButton;
    UniqueBrush m_groupBrush;
};
