#include "login/LoginPageDialog.h"

#include "base/Config.h"
#include "base/CopyDataSend.h"
#include "base/OsVersion.h"
#include "gameview/GameProcess.h"
#include "login/rules/LoginCommand.h"
#include "res/resource.h"
#include "skin/SkinnedMessageBox.h"
#include "update/OperatorUrl.h"

#include <new>
#include <shellapi.h>

namespace {
// The host may hang; a login window must not hang with it.
constexpr UINT kHostAnswerTimeoutMs = 10000;

enum class HostAnswer { Accepted, Refused, NoAnswer };

HostAnswer SendRecordToHost(const std::wstring& record) {
    const auto answer = SendCopyDataText(TheGameProcess().m_hHostWnd, nullptr, kCopyLoginRecord, record, kHostAnswerTimeoutMs);
    if (!answer) return HostAnswer::NoAnswer;
    return *answer ? HostAnswer::Accepted : HostAnswer::Refused;
}
}  // namespace

LoginPageDialog::LoginPageDialog(std::wstring startUrl) noexcept
    : PageDialog(IDD_LOGIN), m_strStartUrl(std::move(startUrl)) {}

LoginPageDialog::~LoginPageDialog() = default;

std::wstring LoginPageUrl() { return std::wstring(L"http://") + config::kAccountHost + L"/yxtov/wd?wx=1"; }

BOOL LoginPageDialog::OnInitDialog() {
    PageDialog::OnInitDialog();
    // Magenta pixels of the page are invisible and let clicks through to the background.
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, RGB(255, 0, 255), 0, LWA_COLORKEY);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    Navigate(m_strStartUrl);
    return FALSE;
}

CDHtmlDialog::DHtmlEventMap LoginPageDialog::GetDHtmlEventMap() const {
    const auto handler = static_cast<DHtmlEventHandler>(&LoginPageDialog::OnPageMouse);
    static const DHtmlEventMapEntry map[] = {
        {{DHtmlSelectorKind::Tag, L"body", dom_event::kMouseDown}, handler},
        {{DHtmlSelectorKind::Tag, L"body", dom_event::kMouseUp}, handler},
        {{DHtmlSelectorKind::Tag, L"body", dom_event::kMouseMove}, handler},
        {{DHtmlSelectorKind::Tag, L"td", dom_event::kMouseDown}, handler},
        {{DHtmlSelectorKind::Tag, L"td", dom_event::kMouseUp}, handler},
        {{DHtmlSelectorKind::Tag, L"td", dom_event::kMouseMove}, handler},
        {{DHtmlSelectorKind::Tag, L"div", dom_event::kMouseDown}, handler},
        {{DHtmlSelectorKind::Tag, L"div", dom_event::kMouseUp}, handler},
        {{DHtmlSelectorKind::Tag, L"div", dom_event::kMouseMove}, handler},
    };
    return {map, sizeof(map) / sizeof(map[0])};
}

HRESULT LoginPageDialog::OnPageMouse(const PageElementPtr&) { return S_FALSE; }

void LoginPageDialog::OnNavigateComplete(const std::wstring& url) {
    PageDialog::OnNavigateComplete(url);
    // The page stays invisible until its first page has arrived.
    ShowWindow(SW_SHOW);
    if (Browser* browser = GetBrowser()) browser->Move(GetClientRect());
}

bool LoginPageDialog::ShowsOperatorsPage() const {
    const Browser* browser = GetBrowser();
    return browser && IsOperatorPageUrl(browser->LocationUrl().c_str());
}

void LoginPageDialog::OnBeforeNavigate(const std::wstring& url, bool& cancel) {
    // A top-level navigation does not say who started it: an advertising frame can set the
    // top's address too. So commands count only in a login window whose page is the
    // operator's; what they carry is checked as well.
    if (IsAppCommandUrl(url)) {
        cancel = true;  // "app:" addresses are never loaded
        if (m_pLoginWindow && ShowsOperatorsPage()) RunCommand(url);
        return;
    }
    if (const auto title = login::AuthRedirectTitle(url, config::kBridgeHost)) {
        cancel = true;  // the authorisation runs in its own window, opened only over the operator's page
        if (ShowsOperatorsPage()) OpenAuthWindow(url, *title);
    }
}

void LoginPageDialog::OnBeforeFrameNavigate(const std::wstring& url, const std::wstring& frameUrl, bool& cancel) {
    // An inner frame may be anybody's (an advertisement): only the operator's own frames
    // speak for the page. Its "app:" addresses are never loaded either way.
    if (IsAppCommandUrl(url)) {
        cancel = true;
        if (m_pLoginWindow && ShowsOperatorsPage() && IsOperatorPageUrl(frameUrl.c_str())) RunCommand(url);
        return;
    }
    OnBeforeNavigate(url, cancel);
}

void LoginPageDialog::OpenAuthWindow(const std::wstring& url, const std::wstring& title) {
    m_pAuthDlg.reset();  // a new redirect replaces the previous authorisation
    auto dialog = std::unique_ptr<AuthorizationWindow>(new (std::nothrow) AuthorizationWindow());
    if (!dialog) return;
    dialog->m_htmlAuth.m_strAuthUrl = url;
    if (!dialog->IsWindow() && !dialog->Create(IDD_LOGIN, m_hWnd)) return;
    dialog->SetTitle(title.c_str());
    dialog->ShowWindow(SW_SHOW);
    dialog->CenterWindow();
    m_pAuthDlg = std::move(dialog);
}

void LoginPageDialog::RunCommand(const std::wstring& url) {
    switch (login::ClassifyPageUrl(url)) {
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
            if (const auto address = login::OpenUrlsWebAddress(url)) {
                ::ShellExecuteW(nullptr, L"open", address->c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
            }
            break;
        default:
            break;
    }
}

void LoginPageDialog::EndLogin(int result) {
    if (m_pLoginWindow) m_pLoginWindow->EndDialog(result);
}

void LoginPageDialog::LoadGame(const std::wstring& url) {
    if (!m_pLoginWindow) return;  // the preload page has no login to finish
    const login::LoadGame command = login::ParseLoadGame(url);
    // The game frame shows this address: only a web page of the operator's (never a file, a
    // share or a script), or the command is ignored and the login goes on.
    if (!IsOperatorPageUrl(command.gameUrl.c_str())) return;
    switch (SendRecordToHost(command.record)) {
        case HostAnswer::Accepted:
            TheGameProcess().m_strGameUrl = command.gameUrl;
            EndLogin(IDOK);
            break;
        case HostAnswer::Refused: {
            const login::RecordParts parts = login::SplitRecord(command.record);
            const std::wstring message =
                login::DuplicateLoginMessage(parts.account, login::ShortServerName(parts.server));
            ShowSkinnedMessageBox(MB_OK, message.c_str(), nullptr);
            EndLogin(IDCANCEL);
            break;
        }
        case HostAnswer::NoAnswer:
            // The main window is gone or hangs: nothing to log in to, and no duplicate.
            EndLogin(IDCANCEL);
            break;
    }
}

void LoginPageDialog::Minimize() {
    if (!m_pLoginWindow) return;
    if (TheGameProcess().m_nHostTabNo > 0) {
        EndLogin(IDCANCEL);
    } else if (IsUacEnabled()) {
        m_pLoginWindow->ShowWindow(SW_MINIMIZE);
    } else if (TheGameProcess().m_hHostWnd) {
        ::ShowWindow(TheGameProcess().m_hHostWnd, SW_MINIMIZE);
    }
}

BOOL LoginPageDialog::PreTranslateMessage(MSG* msg) {
    // Esc neither cancels nor stops the page; F5 does not reload it.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_F5)) return TRUE;
    return PageDialog::PreTranslateMessage(msg);
}
