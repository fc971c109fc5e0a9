#include "login/AuthorizationPage.h"

#include "base/Config.h"
#include "base/OwnWindows.h"
#include "login/rules/LoginCommand.h"
#include "res/resource.h"

#include <wininet.h>

#include <vector>

namespace {
constexpr UINT_PTR TIMER_KILL_OWNED_BOX = 1;
constexpr UINT_PTR TIMER_CLOSE_TRIDENT_DLG = 2;
constexpr UINT kKillOwnedBoxMs = 10;
constexpr UINT kCloseTridentDlgMs = 130;

// Where the search for a message box owned by the page goes on at the next tick.
HWND g_hScanDlg = nullptr;

// The process's cookies for the address, as a cookie header.
std::wstring CookiesFor(const std::wstring& url) {
    DWORD size = 0;
    if (!::InternetGetCookieW(url.c_str(), nullptr, nullptr, &size) || size == 0) return {};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD capacity = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (!::InternetGetCookieW(url.c_str(), nullptr, buffer.data(), &capacity)) return {};
    buffer.back() = L'\0';
    return buffer.data();
}
}  // namespace

bool IsAuthWindowSwallowedKey(const MSG& msg) noexcept {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

AuthorizationPage::AuthorizationPage() noexcept : CDHtmlDialog(IDD_LOGIN) {}

BOOL AuthorizationPage::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();
    SetTimer(TIMER_CLOSE_TRIDENT_DLG, kCloseTridentDlgMs);
    return TRUE;
}

BOOL AuthorizationPage::PreTranslateMessage(MSG* msg) {
    // Enter in a provider's password field does not submit; the user clicks the page's button.
    if (IsAuthWindowSwallowedKey(*msg)) return TRUE;
    return CDHtmlDialog::PreTranslateMessage(msg);
}

void AuthorizationPage::OnBeforeNavigate(const std::wstring& url, bool& cancel) {
    if (login::IsQqAuthorizeEndpoint(url) && !IsWindowVisible()) cancel = true;
}

void AuthorizationPage::OnNavigateComplete(const std::wstring& url) {
    if (login::IsAuthCallback(url, config::kBridgeHost) &&
        !login::CookieValue(CookiesFor(url), L"Pauth").empty()) {
        PostMessage(WM_CLOSE);
        if (auto* frame = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(::GetWindow(m_hWnd, GW_OWNER)))) {
            frame->EndDialog(IDCANCEL);
        }
        SetTimer(TIMER_KILL_OWNED_BOX, kKillOwnedBoxMs);
        return;
    }
    CDHtmlDialog::OnNavigateComplete(url);
}

void AuthorizationPage::KillNextOwnedBox() {
    g_hScanDlg = ::FindWindowExW(nullptr, g_hScanDlg, L"#32770", nullptr);
    if (g_hScanDlg && ::GetWindow(g_hScanDlg, GW_OWNER) == m_hWnd) {
        KillTimer(TIMER_KILL_OWNED_BOX);
        ::DestroyWindow(g_hScanDlg);
        g_hScanDlg = nullptr;
    }
}

LRESULT AuthorizationPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SHOWWINDOW) {
        const LRESULT result = CDHtmlDialog::WindowProc(msg, wParam, lParam);
        Navigate(m_strAuthUrl);
        return result;
    }
    if (msg == WM_TIMER && wParam == TIMER_KILL_OWNED_BOX) {
        KillNextOwnedBox();
        return 0;
    }
    if (msg == WM_TIMER && wParam == TIMER_CLOSE_TRIDENT_DLG) {
        // The web-page dialogs of this process's browsers; another program's are its own.
        const std::vector<HWND> boxes = OwnTopLevelWindows(L"Internet Explorer_TridentDlgFrame");
        if (!boxes.empty()) ::PostMessageW(boxes.front(), WM_CLOSE, 0, 0);
        return 0;
    }
    return CDHtmlDialog::WindowProc(msg, wParam, lParam);
}
