#include "login/LoginDlg.h"

#include "app/Config.h"
#include "res/resource.h"

// Not built yet: the page itself arrives with the login step; until then the window is an
// empty, hidden dialog.
CLoginDlg::CLoginDlg(std::wstring startUrl) noexcept : CDialog(IDD_LOGIN), m_strStartUrl(std::move(startUrl)) {}

std::wstring LoginPageUrl() { return std::wstring(L"http://") + config::kAccountHost + L"/yxtov/wd?wx=1"; }
