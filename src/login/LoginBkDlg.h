// The login window of a game process: the layered background with the login page on it.
#pragma once
#include "framework/Dialog.h"

class CLoginBkDlg : public CDialog {
public:
    explicit CLoginBkDlg(HWND parent) noexcept;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND m_hHost;
};
