// A tab's own menu (a right click on the tab): its items in order, and what the chosen one
// means. Everything on it acts on the tab clicked, not on the current tab.
#pragma once
#include "gameview/rules/PageZoom.h"

#include <optional>
#include <string>
#include <vector>

namespace tabs {

enum TabMenuId : int {
    kTabMenuRefresh = 101,
    kTabMenuScreenshot = 102,
    kTabMenuMute = 103,
    kTabMenuClose = 104,
    kTabMenuZoomFit = 105,
    kTabMenuZoomLevel = 1000,  // + the level in per cent
};

struct TabMenuEntry {
    int id = 0;  // 0: a separator, or the entry that opens `submenu`
    std::wstring text;
    bool checked = false;
    bool greyed = false;
    std::vector<TabMenuEntry> submenu;
};

// "刷新", "截图", "静音" (checked while muted), "缩放" with the levels and "适应窗口" (the
// current one checked; greyed where the tab's page cannot be zoomed), "关闭".
std::vector<TabMenuEntry> TabMenuEntries(bool muted, const zoom::Setting& zoom, bool canZoom);
// The zoom a chosen id stands for; nothing for any other id.
std::optional<zoom::Setting> ZoomOfTabMenuId(int id);

}  // namespace tabs
