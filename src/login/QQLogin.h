// The external-account authorisation window (QQ, Sina Weibo, WeChat): a skinned frame with
// the authorisation page (CQQHtml) as a pop-up kept exactly inside its border and below its
// caption band. Modeless; the login page owns it.
#pragma once
#include "login/QQHtml.h"
#include "skin/DlgEx.h"

class CQQLogin : public CDlgEx {
public:
    CQQLogin() noexcept;
    ~CQQLogin() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    CQQHtml m_htmlAuth;

private:
    void PlacePage();
};
