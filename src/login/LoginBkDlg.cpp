#include "login/LoginBkDlg.h"

#include "res/resource.h"

namespace {
constexpr UINT_PTR kHostWatchTimer = 1;
}

// Not built yet: the login page arrives with the login step. Until then the window stays
// hidden and waits: it gives up (IDCANCEL) when closed or when its host window is gone.
CLoginBkDlg::CLoginBkDlg(HWND parent) noexcept : CDialog(IDD_LOGIN, parent), m_hHost(parent) {
    m_bShowModalOnIdle = false;
}

BOOL CLoginBkDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(L"QuarnelHalvira登录");
    SetTimer(kHostWatchTimer, 800);
    return TRUE;
}

LRESULT CLoginBkDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kHostWatchTimer) {
        if (!m_hHost || !::IsWindow(m_hHost)) EndDialog(IDCANCEL);
        return 0;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}
