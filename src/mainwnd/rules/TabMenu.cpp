#include "mainwnd/rules/TabMenu.h"

namespace tabs {

std::vector<TabMenuEntry> TabMenuEntries(bool muted, const zoom::Setting& zoom, bool canZoom) {
    TabMenuEntry zoomMenu{0, L"缩放", false, !canZoom, {}};
    for (int level : zoom::Levels()) {
        const bool current = !zoom.fit && zoom.percent == level;
        zoomMenu.submenu.push_back({kTabMenuZoomLevel + level, std::to_wstring(level) + L"%", current, !canZoom, {}});
    }
    zoomMenu.submenu.push_back({0, L"", false, false, {}});
    zoomMenu.submenu.push_back({kTabMenuZoomFit, L"适应窗口", zoom.fit, !canZoom, {}});
    return {
        {kTabMenuRefresh, L"刷新", false, false, {}},
        {kTabMenuScreenshot, L"截图", false, false, {}},
        {kTabMenuMute, L"静音", muted, false, {}},
        zoomMenu,
        {0, L"", false, false, {}},
        {kTabMenuClose, L"关闭", false, false, {}},
    };
}

std::optional<zoom::Setting> ZoomOfTabMenuId(int id) {
    if (id == kTabMenuZoomFit) return zoom::Setting{zoom::kNormal, true};
    const int level = id - kTabMenuZoomLevel;
    if (id < kTabMenuZoomLevel || !zoom::IsLevel(level)) return std::nullopt;
    return zoom::Setting{level, false};
}

}  // namespace tabs
