// The login page: an HTML dialog showing the operator's login page, layered with a
// magenta colour key. The main window keeps one hidden as a preload.
#pragma once
#include "framework/Dialog.h"

#include <string>

class CLoginDlg : public CDialog {
public:
    explicit CLoginDlg(std::wstring startUrl) noexcept;
    std::wstring m_strStartUrl;
};

// The login page's address on the account host.
std::wstring LoginPageUrl();
