// The tray menu and the "系统" button's menu: their items in order, and the ids the menus
// return.
#pragma once
#include <string>
#include <vector>

enum LauncherMenuId : int {
    kMenuRefresh = 1,
    kMenuHideRestore = 2,
    kMenuCleanCache = 3,
    kMenuUpdate = 4,
    kMenuSettings = 5,
    kMenuExit = 6,
    kMenuScreenshot = 7,
    kMenuVersion = -1,  // shows the version only
};

struct LauncherMenuItem {
    int id;                // 0 for the separator
    std::wstring text;     // empty for the separator
};

// bossKeyText: the boss key as the settings dialog shows it ("F10").
std::vector<LauncherMenuItem> TrayMenuItems(const std::wstring& bossKeyText);
std::vector<LauncherMenuItem> SystemMenuItems(const std::wstring& bossKeyText);
