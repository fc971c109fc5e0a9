// The login page: a dialog whose client area is the browser showing the operator's login
// page. Magenta pixels of the page are transparent, so it floats over the login window's
// background; the page drives the client through "app:" navigations.
#pragma once
#include "framework/Browser.h"
#include "framework/Dialog.h"

#include <memory>
#include <string>

class CLoginDlg : public CDialog, private BrowserEvents {
public:
    explicit CLoginDlg(std::wstring startUrl) noexcept;
    ~CLoginDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The login window the page ends; null for the main window's preload page, where the
    // page's commands do nothing.
    void SetLoginWindow(CDialog* loginWindow) noexcept { m_pLoginWindow = loginWindow; }

    std::wstring m_strStartUrl;

private:
    void OnBeforeNavigate2(const std::wstring& url, bool& cancel) override;
    void OnNavigateComplete2(const std::wstring& url) override;
    void OnNavigateError(const std::wstring& url, long status, bool& cancel) override;
    bool OnShowContextMenu() override { return true; }
    unsigned OnGetHostInfo(unsigned flags) override;

    void LoadGame(const std::wstring& url);
    void Minimize();
    void EndLogin(int result);

    std::unique_ptr<Browser> m_browser;
    CDialog* m_pLoginWindow = nullptr;
};

// The login page's address on the account host.
std::wstring LoginPageUrl();
