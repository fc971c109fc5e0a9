#include "login/AnotherAccountDialog.h"

#include "base/Messages.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"

AnotherAccountDialog::AnotherAccountDialog() noexcept : SkinnedDialog(IDD_ADD_ACCOUNT) {}

void AnotherAccountDialog::DoDataExchange() {
    BindControl(IDC_ADD_ACCOUNT_TEXT, m_lblText);
    BindControl(IDOK, m_btnYes);
    BindControl(IDCANCEL, m_btnNo);
}

BOOL AnotherAccountDialog::OnInitDialog() {
    SkinnedDialog::OnInitDialog();
    SetTitle(L"登录其他账号");
    m_nCaptionHeight = 30;
    m_nBorder = 3;
    m_nBtnRight = 5;
    m_nBtnTop = 1;
    m_nBtnGap = 0;
    HMODULE module = ::GetModuleHandleW(nullptr);
    FrameSkin skin;
    skin.frame = LoadSkinImage(module, IDP_ADD_ACCOUNT_BACKGROUND);
    skin.resizeToImage = true;
    SetSkin(std::move(skin));
    m_bmpButton = LoadSkinImage(module, IDP_PUSH_BUTTON);
    m_btnYes.SetSkinBitmap(m_bmpButton.Get(), true);
    m_btnNo.SetSkinBitmap(m_bmpButton.Get(), true);
    m_lblText.m_nLineSpacing = 5;
    return TRUE;
}

void AnotherAccountDialog::Answer(WPARAM choice) {
    ::PostMessageW(GetParent(), WM_ADD_ACCOUNT_CHOICE, choice, 0);
    ShowWindow(SW_HIDE);
}

void AnotherAccountDialog::OnOK() { Answer(1); }

void AnotherAccountDialog::OnCancel() { Answer(0); }

LRESULT AnotherAccountDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE: {
            const LRESULT result = SkinnedDialog::WindowProc(msg, wParam, lParam);
            if (LOWORD(wParam) == WA_INACTIVE) ShowWindow(SW_HIDE);
            return result;
        }
        case WM_NCHITTEST:
            return HTCLIENT;  // the prompt does not move
        default:
            return SkinnedDialog::WindowProc(msg, wParam, lParam);
    }
}
