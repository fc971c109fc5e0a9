#include "features/SettingDlg.h"

#include "features/HotKeyStore.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/MessageBox.h"

namespace {
constexpr HotKeyField kFields[] = {HotKeyField::Boss, HotKeyField::Switch, HotKeyField::Sound};
constexpr int kLabelIds[] = {IDC_LBL_BOSS,   IDC_LBL_BOSS_EXAMPLE,  IDC_LBL_SWITCH,
                             IDC_LBL_SWITCH_EXAMPLE, IDC_LBL_SOUND, IDC_LBL_SOUND_EXAMPLE};
constexpr COLORREF kGroupBackground = RGB(231, 241, 247);

bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

CSettingDlg::CSettingDlg(HWND parent) noexcept : CDlgEx(IDD_SETTINGS, parent) {}

CEdit& CSettingDlg::EditOf(HotKeyField field) {
    switch (field) {
        case HotKeyField::Boss:
            return m_editBossKey;
        case HotKeyField::Switch:
            return m_editSwitchKey;
        default:
            return m_editSoundKey;
    }
}

int& CSettingDlg::VkOf(HotKeyField field) {
    switch (field) {
        case HotKeyField::Boss:
            return m_nBossVk;
        case HotKeyField::Switch:
            return m_nSwitchVk;
        default:
            return m_nSoundVk;
    }
}

void CSettingDlg::DoDataExchange() {
    BindControl(IDC_EDIT_BOSS, m_editBossKey);
    BindControl(IDC_EDIT_SWITCH, m_editSwitchKey);
    BindControl(IDC_EDIT_SOUND, m_editSoundKey);
    for (size_t i = 0; i < m_labels.size(); ++i) BindControl(kLabelIds[i], m_labels[i]);
    BindControl(IDOK, m_btnOk);
    BindControl(IDCANCEL, m_btnCancel);
}

BOOL CSettingDlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SetStandardSkin(IDP_DIALOG_FRAME, false);
    SetTitle(L"设置");
    m_bmpButton.Reset(LoadSkinImage(::GetModuleHandleW(nullptr), IDP_PUSH_BUTTON));
    m_btnOk.SetSkinBitmap(m_bmpButton.Get(), false);
    m_btnCancel.SetSkinBitmap(m_bmpButton.Get(), false);
    m_groupBrush.Reset(::CreateSolidBrush(kGroupBackground));

    for (HotKeyField field : kFields) {
        const HotKey key = LoadHotKey(field);
        VkOf(field) = key.vk;
        EditOf(field).SetWindowText(FormatHotKey(key.vk, key.modifiers).c_str());
    }
    return TRUE;
}

BOOL CSettingDlg::PreTranslateMessage(MSG* msg) {
    const bool keyDown = msg->message == WM_KEYDOWN;
    const bool sysKeyDown = msg->message == WM_SYSKEYDOWN;
    if (!keyDown && !sysKeyDown) return CDlgEx::PreTranslateMessage(msg);
    const int vk = static_cast<int>(msg->wParam);
    switch (ClassifyKeyMessage(sysKeyDown, vk)) {
        case KeyMessageAction::PassOn:
            return CDlgEx::PreTranslateMessage(msg);
        case KeyMessageAction::Swallow:
            return TRUE;
        case KeyMessageAction::Capture:
            break;
    }
    const HWND focus = ::GetFocus();
    for (HotKeyField field : kFields) {
        CEdit& edit = EditOf(field);
        if (focus != edit.m_hWnd) continue;
        // The modifiers as they were when this key message was queued.
        const CaptureResult result = CaptureKey(field, vk, ModifierState{KeyDown(VK_CONTROL), KeyDown(VK_SHIFT),
                                                                          KeyDown(VK_MENU)});
        if (result.newVk) VkOf(field) = *result.newVk;
        edit.SetWindowText(result.text.c_str());
        const int end = static_cast<int>(result.text.size());
        edit.SetSel(end, end);
        edit.SendMessage(EM_SCROLLCARET);
        return TRUE;
    }
    return CDlgEx::PreTranslateMessage(msg);
}

void CSettingDlg::OnOK() {
    const std::array<std::wstring, 3> texts = {m_editBossKey.GetWindowText(), m_editSwitchKey.GetWindowText(),
                                               m_editSoundKey.GetWindowText()};
    if (HotKeysConflict(texts)) {
        ShowSkinMsgBox(MB_OK, L"热键冲突，请重新设置不同热键值", m_hWnd);
        return;
    }
    for (size_t i = 0; i < 3; ++i) {
        if (const auto key = HotKeyToSave(texts[i], VkOf(kFields[i]))) SaveHotKey(kFields[i], *key);
    }
    BroadcastHotKeyReload();
    CDlgEx::OnOK();
}

HBRUSH CSettingDlg::OnCtlColor(HDC dc, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    if (id == IDC_GRP_BOSS || id == IDC_GRP_SWITCH || id == IDC_GRP_SOUND) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        return m_groupBrush.Get();
    }
    return nullptr;
}

LRESULT CSettingDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
        if (HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    return CDlgEx::WindowProc(msg, wParam, lParam);
}
