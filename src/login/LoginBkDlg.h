// The login window of a game process: the layered background with the login page on it.
#pragma once
#include <windows.h>

class CLoginBkDlg {
public:
    explicit CLoginBkDlg(HWND parent) noexcept : m_hParent(parent) {}
    // IDCANCEL when the user gives up.
    INT_PTR DoModal();

private:
    HWND m_hParent;
};
