// The external-account authorisation window (QQ, Sina Weibo, WeChat): a skinned frame with
// the authorisation page (AuthorizationPage) as a pop-up kept exactly inside its border and below its
// caption band. Modeless; the login page owns it.
#pragma once
#include "login/AuthorizationPage.h"
#include "skin/SkinnedDialog.h"

class AuthorizationWindow : public SkinnedDialog {
public:
    AuthorizationWindow() noexcept;
    ~AuthorizationWindow() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    AuthorizationPage m_htmlAuth;

private:
    void PlacePage();
};
