// The login page: a dialog whose client area is the browser showing the operator's login
// page. Magenta pixels of the page are transparent, so it floats over the login window's
// background; the page drives the client through "app:" navigations.
#pragma once
#include "login/PageDialog.h"
#include "login/AuthorizationWindow.h"

#include <memory>
#include <string>

class LoginPageDialog : public PageDialog {
public:
    explicit LoginPageDialog(std::wstring startUrl) noexcept;
    ~LoginPageDialog() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The login window the page ends; null for the main window's preload page, where the
    // page's commands do nothing.
    void SetLoginWindow(CDialog* loginWindow) noexcept { m_pLoginWindow = loginWindow; }

    std::wstring m_strStartUrl;
    // The authorisation window of the last QQ, Weibo or WeChat redirect.
    std::unique_ptr<AuthorizationWindow> m_pAuthDlg;

protected:
    DHtmlEventMap GetDHtmlEventMap() const override;
    void OnBeforeNavigate(const std::wstring& url, bool& cancel) override;
    void OnBeforeFrameNavigate(const std::wstring& url, const std::wstring& frameUrl, bool& cancel) override;
    void OnNavigateComplete(const std::wstring& url) override;

private:
    // Mouse presses, releases and moves on the page do nothing: no text selection and no
    // dragging of page content.
    HRESULT OnPageMouse(const PageElementPtr& element);
    // Whether the page shown now (the top level) is on the operator's domains.
    [[nodiscard]] bool ShowsOperatorsPage() const;
    void RunCommand(const std::wstring& url);
    void OpenAuthWindow(const std::wstring& url, const std::wstring& title);
    void LoadGame(const std::wstring& url);
    void Minimize();
    void EndLogin(int result);

    CDialog* m_pLoginWindow = nullptr;
};

// The login page's address on the account host.
std::wstring LoginPageUrl();
