#include "app/Install.h"

#include "base/Log.h"
#include "app/LauncherApp.h"
#include "app/rules/ReportUrls.h"
#include "app/SelfDelete.h"
#include "app/Shortcuts.h"
#include "app/Statistics.h"
#include "base/Config.h"
#include "base/Handles.h"
#include "base/Launch.h"
#include "base/Paths.h"
#include "base/rules/PathParts.h"
#include "skin/SkinnedMessageBox.h"
#include "update/UpdateRegistry.h"

namespace {
constexpr wchar_t kInstallFailed[] = L"安装失败，请检查磁盘空间和权限后重试";
constexpr wchar_t kExecutableStays[] = L"QuarnelHalvira已移除，但程序文件无法自动删除，请手动删除：\r\n";

bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

// An existing folder is fine; a file of that name is not.
bool EnsureFolder(const std::wstring& path) {
    if (::CreateDirectoryW(path.c_str(), nullptr)) return true;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Copies the running executable into the install folder; false when it is not there now.
bool CopyIntoInstallFolder(const std::wstring& running, const std::wstring& installed) {
    const std::wstring base = GetLocalAppDataPath();
    if (base.empty() || !EnsureFolder(base + L"\\Quarnel") || !EnsureFolder(base + L"\\Quarnel\\GameLogin")) {
        return false;
    }
    return SamePathIgnoringCase(installed, running) || ::CopyFileW(running.c_str(), installed.c_str(), FALSE);
}
}  // namespace

bool InstallClient() {
    const ComScope com;
    const std::wstring running = GetExePath();
    const std::wstring installed = GetInstallFolder() + L"\\" + FileNameOf(running);
    if (running.empty() || !CopyIntoInstallFolder(running, installed)) {
        // Shortcuts to nothing and an install report for an install that did not happen would
        // only mislead: say so and stop.
        Log(L"install failed: the executable could not be put into " + GetInstallFolder());
        ShowSkinnedMessageBox(MB_OK, kInstallFailed, nullptr);
        return false;
    }
    // Each is tried whatever came of the others.
    const bool desktop = CreateDesktopShortcut(installed);
    const bool start = CreateProgramsShortcut(L"/TovD", installed, L"QuarnelHalvira");
    const bool uninstall = CreateProgramsShortcut(L"/uninst", installed, L"卸载 QuarnelHalvira");
    const bool shortcuts = desktop && start && uninstall;
    Log(L"installed as " + installed + (shortcuts ? L", shortcuts made" : L", a shortcut could not be made"));
    LaunchSelf(installed.c_str());
    return true;
}

PendingSelfDeletion UninstallClient(LauncherApp& app) {
    if (!DeleteUpdateRegistry()) Log(L"uninstall: the update key could not be deleted");
    if (!RemoveShortcuts()) Log(L"uninstall: a shortcut could not be removed");
    // Arranged before the player is told: the box says what will really happen.
    const std::wstring exe = GetExePath();
    PendingSelfDeletion deletion = PendingSelfDeletion::Arrange(exe);
    Log(deletion.Way() == SelfDeletion::Batch       ? L"uninstall: the deleting batch waits for this process to end"
        : deletion.Way() == SelfDeletion::AtRestart ? L"uninstall: no batch could be started; deleted at the next restart"
                                                    : L"uninstall: the executable cannot be deleted; the player is told");
    const unsigned count = CountStatistic(kStatUnInst);
    SendReport(UninstallReportUrl(config::kClientHost, count).c_str(), app);
    if (deletion.Way() == SelfDeletion::None) {
        const std::wstring text = std::wstring(kExecutableStays) + exe;
        ShowSkinnedMessageBox(MB_OK, text.c_str(), nullptr);
    } else {
        ShowSkinnedMessageBox(MB_OK, L"QuarnelHalvira已成功移除，部分文件将在程序退出\r\n或计算机重启后自行删除", nullptr);
    }
    return deletion;
}
