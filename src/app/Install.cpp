#include "app/Install.h"

#include "app/App.h"
#include "app/Config.h"
#include "app/Paths.h"
#include "app/SelfDelete.h"
#include "app/Shortcuts.h"
#include "app/Statistics.h"
#include "app/rules/ReportUrls.h"
#include "framework/Handles.h"
#include "skin/MessageBox.h"

#include <shlwapi.h>

namespace {
constexpr wchar_t kUpdateKey[] = L"Software\\Quarnel\\GameLogin\\Tov";

bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}
}  // namespace

bool InstallClient() {
    const ComScope com;
    const std::wstring base = GetLocalAppDataPath();
    if (!base.empty()) {
        ::CreateDirectoryW((base + L"\\Quarnel").c_str(), nullptr);
        ::CreateDirectoryW((base + L"\\Quarnel\\GameLogin").c_str(), nullptr);
    }
    const std::wstring running = GetExePath();
    const size_t slash = running.rfind(L'\\');
    const std::wstring installed = GetInstallFolder() + (slash == std::wstring::npos ? L"\\" + running : running.substr(slash));
    if (!SamePathIgnoringCase(installed, running)) ::CopyFileW(running.c_str(), installed.c_str(), FALSE);
    CreateDesktopShortcut(installed);
    CreateProgramsShortcut(L"/TovD", installed, L"QuarnelHalvira");
    CreateProgramsShortcut(L"/uninst", installed, L"卸载 QuarnelHalvira");
    LaunchSelf(installed.c_str());
    return true;
}

void UninstallClient(CBrindlow3App& app) {
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, kUpdateKey);
    RemoveShortcuts();
    DeleteSelf();
    const unsigned count = CountStatistic(kStatUnInst);
    SendReport(UninstallReportUrl(config::kClientHost, count).c_str(), app);
    ShowSkinMsgBox(MB_OK, L"QuarnelHalvira已成功移除，部分文件将在程序退出\r\n或计算机重启后自行删除", nullptr);
}
