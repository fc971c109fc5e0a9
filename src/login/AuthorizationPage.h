// The page of the external-account authorisation window: a plain HTML dialog that loads the
// login bridge's redirect and follows it through the provider's pages. When the bridge's
// callback page arrives with its "Pauth" cookie set, the authorisation is over and the
// window closes itself.
#pragma once
#include "framework/DHtmlDialog.h"

class AuthorizationPage : public CDHtmlDialog {
public:
    AuthorizationPage() noexcept;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::wstring m_strAuthUrl;

protected:
    void OnBeforeNavigate(const std::wstring& url, bool& cancel) override;
    void OnNavigateComplete(const std::wstring& url) override;

private:
    void KillNextOwnedBox();
};

// Enter and Esc belong to neither the page nor the dialog in the authorisation window.
bool IsAuthWindowSwallowedKey(const MSG& msg) noexcept;
