#include "app/LauncherApp.h"

#include "app/CrashDump.h"
#include "app/Install.h"
#include "app/NetworkCheck.h"
#include "app/rules/ReportUrls.h"
#include "app/Statistics.h"
#include "app/TestCrash.h"
#include "base/Config.h"
#include "base/Launch.h"
#include "base/Log.h"
#include "base/OsVersion.h"
#include "base/rules/Version.h"
#include "base/Messages.h"
#include "base/Paths.h"
#include "features/CacheClean.h"
#include "gameview/GameFrame.h"
#include "gameview/GameProcess.h"
#include "login/LoginBackdrop.h"
#include "mainwnd/MainWindow.h"
#include "skin/SkinnedMessageBox.h"
#include "update/UpdateCheck.h"
#include "update/UpdateSwap.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include "skin/Gdiplus.h"

#include <vector>


namespace {
// A report still on its way when the process ends gets this long to finish (its request has
// its own time-outs); past it the process ends without it.
constexpr DWORD kReportWaitMs = 30000;

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    ::LocalFree(argv);
    return args;
}

std::wstring UpperCasePath(const std::wstring& path) {
    std::wstring upper = path;
    if (!upper.empty()) ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}
}  // namespace

namespace {
// What support needs to know of a start: mode and arguments, the version, the system, the
// executable and whether it runs elevated.
void LogStart(StartMode mode) {
    SetLogStartMode(StartModeName(mode));
    std::wstring arguments;
    for (const std::wstring& argument : CommandLineArguments()) arguments += L" " + argument;
    const OSVERSIONINFOW& os = WindowsVersion();
    Log(std::wstring(L"start") + (arguments.empty() ? L" (no arguments)" : arguments) + L", version " + kClientVersion +
        L", Windows " + std::to_wstring(os.dwMajorVersion) + L"." + std::to_wstring(os.dwMinorVersion) + L"." +
        std::to_wstring(os.dwBuildNumber) + L", " + GetExePath() + (RunsElevated() ? L", elevated" : L", not elevated"));
}
}  // namespace

StartMode GetStartMode() {
    const std::vector<std::wstring> args = CommandLineArguments();
    const StartMode mode = ClassifyStartMode(args, GetExePath(), GetInstallFolder(), UpperCasePath);
    const HostArguments host = ParseHostArguments(mode, args);
    if (mode == StartMode::NewGameTab || mode == StartMode::GameHall) {
        GameProcess& game = TheGameProcess();
        game.m_hHostWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(host.hostWindow));
        game.m_nHostTabNo = host.tabNumber;
    }
    return mode;
}

LauncherApp::LauncherApp() noexcept = default;
LauncherApp::~LauncherApp() { WaitForReportThreads(kReportWaitMs); }

void LauncherApp::WaitForReportThreads(DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (const UniqueHandle& thread : m_reportThreads) {
        const DWORD spent = ::GetTickCount() - start;
        ::WaitForSingleObject(thread.Get(), spent < timeoutMs ? timeoutMs - spent : 0);
    }
    m_reportThreads.clear();
}

LauncherApp& TheApp() noexcept { return *static_cast<LauncherApp*>(AfxGetApp()); }

BOOL LauncherApp::InitInstance() {
    InstallCrashDumpFilter();

    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);

    if (!IsNetworkAvailable()) {
        SetLogStartMode(StartModeName(GetStartMode()));
        Log(L"no network: the connection check failed; the start ends");
        ShowSkinnedMessageBox(MB_OK, L"当前网络不可用，请检查网络连接是否正常！", nullptr);
        return FALSE;
    }

    const StartMode mode = GetStartMode();
    LogStart(mode);
    CrashIfTheTestAsks(mode);
    m_hReportStarted.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_hReportDone.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));

    if (!RunUpdateStage(mode)) return FALSE;

    StartProcessGdiplus();

    return RunMode(mode) ? TRUE : FALSE;
}

// Uninstall and finished updates end the process here (false); every other start goes on.
bool LauncherApp::RunUpdateStage(StartMode mode) {
    switch (mode) {
        case StartMode::Uninstall:
            if (ShowSkinnedMessageBox(MB_YESNO, L"确定要移除 QuarnelHalvira吗？", nullptr) == IDYES) {
                PendingSelfDeletion deletion = UninstallClient(*this);
                ::WaitForSingleObject(m_hReportDone.Get(), INFINITE);
                // The process ends now: the batch's wait for the executable counts from here.
                deletion.Start();
            }
            return false;
        case StartMode::Update:
            IsUpdateAvailable(true);  // refreshes the download address
            if (DownloadAndSwap()) {
                Log(L"update: starting the new build");
                LaunchSelf(nullptr);
                WriteUpdTime();
                return false;
            }
            return true;
        case StartMode::ShortcutStart:
        case StartMode::Install:
            if (IsUpdateAvailable(false, static_cast<int>(mode)) && DownloadAndSwap()) {
                Log(L"update: starting the new build");
                LaunchSelf(nullptr);
                WriteUpdTime();
                return false;
            }
            return true;
        default:
            return true;
    }
}

bool LauncherApp::RunMode(StartMode mode) {
    switch (mode) {
        case StartMode::Install: {
            if (!InstallClient()) return false;  // it has said so; nothing to report
            WriteDisableDays();
            const unsigned count = CountStatistic(kStatInst);
            SendReport(InstallReportUrl(config::kClientHost, count).c_str(), *this);
            ::WaitForSingleObject(m_hReportDone.Get(), INFINITE);
            return false;
        }
        case StartMode::WebPortal: {
            const std::wstring portal = std::wstring(L"http://") + config::kPortalHost + L"/";
            ::ShellExecuteW(nullptr, L"open", portal.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
            const unsigned count = CountStatistic(kStatQuarnel);
            SendReport(WebPortalReportUrl(config::kClientHost, count).c_str(), *this);
            ::WaitForSingleObject(m_hReportDone.Get(), INFINITE);
            return false;
        }
        case StartMode::ShortcutStart:
        case StartMode::InstalledStart:
            ReportActivity(*this);
            break;
        default:
            break;
    }
    SetIeCacheLimit();
    if (mode == StartMode::NewGameTab || mode == StartMode::GameHall) return RunGameProcess(mode);
    RunMainWindow();
    return false;
}

// Every mode that shows a browser needs OLE on its GUI thread: without it the browser
// control cannot be created and its window silently stays empty.
bool LauncherApp::InitializeOle() {
    if (FAILED(::OleInitialize(nullptr))) {
        ShowSkinnedMessageBox(MB_OK, L"初始化OLE库失败", nullptr);
        return false;
    }
    m_bOleInitialized = true;
    return true;
}

bool LauncherApp::RunGameProcess(StartMode mode) {
    if (!InitializeOle()) return false;
    if (mode == StartMode::NewGameTab) {
        LoginBackdrop login(TheGameProcess().m_hHostWnd);
        if (login.DoModal() == IDCANCEL) {
            // The host drops the tab it was waiting for. A missing host gets nothing: a
            // null window would put the request into this thread's own queue.
            if (HWND host = TheGameProcess().m_hHostWnd; host && ::IsWindow(host)) {
                ::PostMessageW(host, WM_SYSCOMMAND, SC_CLOSE, kLauncherMarker);
            }
            return false;
        }
    }
    return CreateGameFrame();
}

void LauncherApp::RunMainWindow() {
    if (!InitializeOle()) return;  // its hidden login page preloads through a browser
    MainWindow dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
}

int LauncherApp::ExitInstance() {
    WaitForReportThreads(kReportWaitMs);
    m_hReportStarted.Reset();
    m_hReportDone.Reset();
    DestroyGameFrame();  // its browser must go while COM is still there
    if (m_bOleInitialized) {
        ::OleUninitialize();
        m_bOleInitialized = false;
    }
    return 0;
}
