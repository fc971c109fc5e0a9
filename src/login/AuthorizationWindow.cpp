#include "login/AuthorizationWindow.h"

#include "res/resource.h"

namespace {
constexpr int kWidth = 790;
constexpr int kHeight = 525;
constexpr int kBorder = 4;
constexpr int kCaption = 30;
}  // namespace

AuthorizationWindow::AuthorizationWindow() noexcept : SkinnedDialog(IDD_LOGIN) {}

AuthorizationWindow::~AuthorizationWindow() {
    if (m_htmlAuth.IsWindow()) m_htmlAuth.DestroyWindow();
}

BOOL AuthorizationWindow::OnInitDialog() {
    SkinnedDialog::OnInitDialog();
    SetTitle(L"QQ账号安全登录");
    // Caption band 30, border 4, close button at the very corner; no minimise or maximise.
    SetStandardSkin(IDP_MAIN_FRAME, false);
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL AuthorizationWindow::PreTranslateMessage(MSG* msg) {
    if (IsAuthWindowSwallowedKey(*msg)) return TRUE;
    return SkinnedDialog::PreTranslateMessage(msg);
}

void AuthorizationWindow::OnCancel() {
    if (m_htmlAuth.IsWindow()) m_htmlAuth.DestroyWindow();
    DestroyWindow();
}

void AuthorizationWindow::PlacePage() {
    if (!m_htmlAuth.IsWindow()) return;
    // The frame's actual rectangle: a position change that only resized carries no position.
    const RECT rc = GetWindowRect();
    m_htmlAuth.MoveWindow(rc.left + kBorder, rc.top + kCaption, (rc.right - rc.left) - 2 * kBorder,
                          (rc.bottom - rc.top) - kCaption - kBorder, TRUE);
}

LRESULT AuthorizationWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SHOWWINDOW) {
        const LRESULT result = SkinnedDialog::WindowProc(msg, wParam, lParam);
        if (!m_htmlAuth.IsWindow()) {
            m_htmlAuth.Create(IDD_LOGIN, m_hWnd);
            PlacePage();
        }
        m_htmlAuth.ShowWindow(wParam ? SW_SHOWNORMAL : SW_HIDE);
        return result;
    }
    if (msg == WM_WINDOWPOSCHANGED) {
        const LRESULT result = SkinnedDialog::WindowProc(msg, wParam, lParam);
        PlacePage();
        return result;
    }
    return SkinnedDialog::WindowProc(msg, wParam, lParam);
}
