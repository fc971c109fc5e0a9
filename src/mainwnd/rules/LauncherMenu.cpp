#include "mainwnd/rules/LauncherMenu.h"

#include "base/rules/Version.h"

namespace {
// Refresh, screenshot, hide/restore, clean cache, separator, update, settings: what both
// menus share.
std::vector<LauncherMenuItem> CommonItems(const std::wstring& bossKeyText) {
    return {
        {kMenuRefresh, L"刷新 (F5)"},
        {kMenuScreenshot, L"截图"},
        {kMenuHideRestore, L"隐藏/恢复(" + bossKeyText + L")"},
        {kMenuCleanCache, L"清除缓存"},
        {0, L""},
        {kMenuUpdate, L"更新"},
        {kMenuSettings, L"设置..."},
    };
}
}  // namespace

std::vector<LauncherMenuItem> TrayMenuItems(const std::wstring& bossKeyText) {
    std::vector<LauncherMenuItem> items = CommonItems(bossKeyText);
    items.push_back({kMenuExit, L"退出"});
    return items;
}

std::vector<LauncherMenuItem> SystemMenuItems(const std::wstring& bossKeyText) {
    std::vector<LauncherMenuItem> items = CommonItems(bossKeyText);
    items.push_back({kMenuVersion, std::wstring(L"版本号: ") + kClientVersion});
    return items;
}
