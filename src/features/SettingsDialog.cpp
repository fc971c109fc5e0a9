#include "features/SettingsDialog.h"

#include "base/Log.h"
#include "features/HotKeyStore.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/SkinnedMessageBox.h"

#include <algorithm>
#include <iterator>

namespace {
struct KeyRow {
    HotKeyField field;
    int group, label, edit, example;
};
constexpr KeyRow kRows[kHotKeyFieldCount] = {
    {HotKeyField::Boss, IDC_GRP_BOSS, IDC_LBL_BOSS, IDC_EDIT_BOSS, IDC_LBL_BOSS_EXAMPLE},
    {HotKeyField::Switch, IDC_GRP_SWITCH, IDC_LBL_SWITCH, IDC_EDIT_SWITCH, IDC_LBL_SWITCH_EXAMPLE},
    {HotKeyField::Sound, IDC_GRP_SOUND, IDC_LBL_SOUND, IDC_EDIT_SOUND, IDC_LBL_SOUND_EXAMPLE},
    {HotKeyField::Shot, IDC_GRP_SHOT, IDC_LBL_SHOT, IDC_EDIT_SHOT, IDC_LBL_SHOT_EXAMPLE},
};
constexpr COLORREF kGroupBackground = RGB(231, 241, 247);

bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

SettingsDialog::SettingsDialog(HWND parent) noexcept : SkinnedDialog(IDD_SETTINGS, parent) {}

void SettingsDialog::DoDataExchange() {
    for (size_t i = 0; i < kHotKeyFieldCount; ++i) {
        BindControl(kRows[i].edit, m_editKeys[i]);
        BindControl(kRows[i].label, m_labels[2 * i]);
        BindControl(kRows[i].example, m_labels[2 * i + 1]);
    }
    BindControl(IDC_LINK_LOG, m_linkLog);
    BindControl(IDOK, m_btnOk);
    BindControl(IDCANCEL, m_btnCancel);
}

BOOL SettingsDialog::OnInitDialog() {
    SkinnedDialog::OnInitDialog();
    SetStandardSkin(IDP_DIALOG_FRAME, false);
    SetTitle(L"设置");
    m_bmpButton = LoadSkinImage(::GetModuleHandleW(nullptr), IDP_PUSH_BUTTON);
    m_btnOk.SetSkinBitmap(m_bmpButton.Get(), false);
    m_btnCancel.SetSkinBitmap(m_bmpButton.Get(), false);
    m_groupBrush.Reset(::CreateSolidBrush(kGroupBackground));
    m_linkLog.SetText(L"打开日志文件夹");
    m_linkLog.m_crText = RGB(22, 88, 180);
    m_linkLog.m_bHandCursor = true;
    m_linkLog.m_bUnderline = true;

    for (size_t i = 0; i < kHotKeyFieldCount; ++i) {
        const HotKey key = LoadHotKey(kRows[i].field);
        m_keyVks[i] = key.vk;
        m_editKeys[i].SetWindowText(FormatHotKey(key.vk, key.modifiers).c_str());
    }
    return TRUE;
}

BOOL SettingsDialog::PreTranslateMessage(MSG* msg) {
    const bool keyDown = msg->message == WM_KEYDOWN;
    const bool sysKeyDown = msg->message == WM_SYSKEYDOWN;
    if (!keyDown && !sysKeyDown) return SkinnedDialog::PreTranslateMessage(msg);
    const int vk = static_cast<int>(msg->wParam);
    switch (ClassifyKeyMessage(sysKeyDown, vk)) {
        case KeyMessageAction::PassOn:
            return SkinnedDialog::PreTranslateMessage(msg);
        case KeyMessageAction::Swallow:
            return TRUE;
        case KeyMessageAction::Capture:
            break;
    }
    const HWND focus = ::GetFocus();
    for (size_t i = 0; i < kHotKeyFieldCount; ++i) {
        CEdit& edit = m_editKeys[i];
        if (focus != edit.m_hWnd) continue;
        // The modifiers as they were when this key message was queued.
        const CaptureResult result = CaptureKey(kRows[i].field, vk, ModifierState{KeyDown(VK_CONTROL), KeyDown(VK_SHIFT),
                                                                                   KeyDown(VK_MENU)});
        if (result.newVk) m_keyVks[i] = *result.newVk;
        edit.SetWindowText(result.text.c_str());
        const int end = static_cast<int>(result.text.size());
        edit.SetSel(end, end);
        edit.SendMessage(EM_SCROLLCARET);
        return TRUE;
    }
    return SkinnedDialog::PreTranslateMessage(msg);
}

void SettingsDialog::OnOK() {
    std::array<std::wstring, kHotKeyFieldCount> texts;
    for (size_t i = 0; i < kHotKeyFieldCount; ++i) texts[i] = m_editKeys[i].GetWindowText();
    if (HotKeysConflict(texts)) {
        ShowSkinnedMessageBox(MB_OK, L"热键冲突，请重新设置不同热键值", m_hWnd);
        return;
    }
    std::wstring saved;
    for (size_t i = 0; i < kHotKeyFieldCount; ++i) {
        const auto key = HotKeyToSave(texts[i], m_keyVks[i]);
        if (!key) continue;
        const bool written = SaveHotKey(kRows[i].field, *key);
        saved += std::wstring(saved.empty() ? L"" : L", ") + SettingOf(kRows[i].field).iniKey + L"=" + texts[i] +
                 (written ? L"" : L" (not written)");
    }
    Log(L"settings saved: " + (saved.empty() ? std::wstring(L"nothing changed") : saved));
    BroadcastHotKeyReload();
    SkinnedDialog::OnOK();
}

bool SettingsDialog::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_LINK_LOG && code == STN_CLICKED) {
        ShowLogInExplorer();
        return true;
    }
    return SkinnedDialog::OnCommand(id, code, control);
}

HBRUSH SettingsDialog::OnCtlColor(HDC dc, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    const bool group = std::any_of(std::begin(kRows), std::end(kRows), [id](const KeyRow& row) { return row.group == id; });
    if (group) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        return m_groupBrush.Get();
    }
    return nullptr;
}

LRESULT SettingsDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
        if (HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    return SkinnedDialog::WindowProc(msg, wParam, lParam);
}
