#include "login/LoginDlg.h"

#include "app/App.h"
#include "app/Config.h"
#include "gameview/GameFrame.h"
#include "login/LoginBkDlg.h"
#include "login/rules/LoginCommand.h"
#include "res/resource.h"
#include "skin/MessageBox.h"

#include <mshtmhst.h>
#include <shellapi.h>

namespace {
// The host may hang; a login window must not hang with it.
constexpr UINT kHostAnswerTimeoutMs = 10000;

enum class HostAnswer { Accepted, Refused, NoAnswer };

HostAnswer SendRecordToHost(const std::wstring& record) {
    if (!g_hHostWnd || !::IsWindow(g_hHostWnd)) return HostAnswer::NoAnswer;
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>((record.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(record.c_str());
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(g_hHostWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, kHostAnswerTimeoutMs, &result)) {
        return HostAnswer::NoAnswer;
    }
    return result ? HostAnswer::Accepted : HostAnswer::Refused;
}
}  // namespace

CLoginDlg::CLoginDlg(std::wstring startUrl) noexcept : CDialog(IDD_LOGIN), m_strStartUrl(std::move(startUrl)) {}

CLoginDlg::~CLoginDlg() {
    if (m_browser) m_browser->Destroy();
}

std::wstring LoginPageUrl() { return std::wstring(L"http://") + config::kAccountHost + L"/yxtov/wd?wx=1"; }

BOOL CLoginDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_browser = CreateBrowser();
    if (m_browser && m_browser->Create(m_hWnd, GetClientRect(), this)) {
        m_browser->SetSilent(true);
    } else {
        m_browser.reset();
    }
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, RGB(255, 0, 255), 0, LWA_COLORKEY);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    if (m_browser) m_browser->Navigate(m_strStartUrl);
    return FALSE;
}

unsigned CLoginDlg::OnGetHostInfo(unsigned flags) {
    return flags | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_DIALOG;
}

void CLoginDlg::OnNavigateComplete2(const std::wstring&) {
    // The page stays invisible until its first page has arrived.
    ShowWindow(SW_SHOW);
    const RECT client = GetClientRect();
    if (m_browser) m_browser->Move(client);
}

void CLoginDlg::OnNavigateError(const std::wstring&, long, bool& cancel) { cancel = true; }

void CLoginDlg::OnBeforeNavigate2(const std::wstring& url, bool& cancel) {
    const login::PageCommand command = login::ClassifyPageUrl(url);
    if (command == login::PageCommand::None) return;  // an ordinary page: let it load
    cancel = true;  // "app:" addresses are never loaded
    switch (command) {
        case login::PageCommand::LoadGame:
            LoadGame(url);
            break;
        case login::PageCommand::ExitGame:
            EndLogin(IDCANCEL);
            break;
        case login::PageCommand::Minimize:
            Minimize();
            break;
        case login::PageCommand::OpenUrls:
            if (const auto address = login::OpenUrlsTarget(url)) {
                ::ShellExecuteW(nullptr, L"open", address->c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
            }
            break;
        default:
            break;
    }
}

void CLoginDlg::EndLogin(int result) {
    if (m_pLoginWindow) m_pLoginWindow->EndDialog(result);
}

void CLoginDlg::LoadGame(const std::wstring& url) {
    if (!m_pLoginWindow) return;  // the preload page has no login to finish
    const login::LoadGame command = login::ParseLoadGame(url);
    switch (SendRecordToHost(command.record)) {
        case HostAnswer::Accepted:
            g_strGameUrl = command.gameUrl;
            EndLogin(IDOK);
            break;
        case HostAnswer::Refused: {
            const login::RecordParts parts = login::SplitRecord(command.record);
            const std::wstring message =
                login::DuplicateLoginMessage(parts.account, login::ShortServerName(parts.server));
            ShowSkinMsgBox(MB_OK, message.c_str(), nullptr);
            EndLogin(IDCANCEL);
            break;
        }
        case HostAnswer::NoAnswer:
            // The main window is gone or hangs: nothing to log in to, and no duplicate.
            EndLogin(IDCANCEL);
            break;
    }
}

void CLoginDlg::Minimize() {
    if (!m_pLoginWindow) return;
    if (g_nHostTabNo > 0) {
        EndLogin(IDCANCEL);
    } else if (IsUacEnabled()) {
        m_pLoginWindow->ShowWindow(SW_MINIMIZE);
    } else if (g_hHostWnd) {
        ::ShowWindow(g_hHostWnd, SW_MINIMIZE);
    }
}

BOOL CLoginDlg::PreTranslateMessage(MSG* msg) {
    // Esc neither cancels nor stops the page; F5 does not reload it.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_F5)) return TRUE;
    // The page's fields take Tab, Enter and editing keys before the dialog does.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_browser && m_browser->TranslateAccelerator(msg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CLoginDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE && m_browser) {
        const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
        m_browser->Move(GetClientRect());
        return result;
    }
    if (msg == WM_DESTROY && m_browser) {
        m_browser->Destroy();
        m_browser.reset();
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}
