// The tray and system menus' items.
#include "mainwnd/rules/LauncherMenu.h"

#include <gtest/gtest.h>

namespace {
std::vector<int> Ids(const std::vector<LauncherMenuItem>& items) {
    std::vector<int> ids;
    for (const auto& item : items) ids.push_back(item.id);
    return ids;
}
}  // namespace

TEST(LauncherMenu, TrayMenuEndsWithExit) {
    const auto items = TrayMenuItems(L"F10");
    EXPECT_EQ(Ids(items), (std::vector<int>{1, 7, 2, 3, 0, 4, 5, 6}));
    EXPECT_EQ(items[0].text, L"刷新 (F5)");
    EXPECT_EQ(items[1].text, L"截图");
    EXPECT_EQ(items[2].text, L"隐藏/恢复(F10)");
    EXPECT_EQ(items[3].text, L"清除缓存");
    EXPECT_EQ(items[4].text, L"");
    EXPECT_EQ(items[5].text, L"更新");
    EXPECT_EQ(items[6].text, L"设置...");
    EXPECT_EQ(items[7].text, L"退出");
}

TEST(LauncherMenu, SystemMenuShowsTheVersionInsteadOfExit) {
    const auto items = SystemMenuItems(L"Ctrl + Alt + B");
    EXPECT_EQ(Ids(items), (std::vector<int>{1, 7, 2, 3, 0, 4, 5, -1}));
    EXPECT_EQ(items[1].text, L"截图");
    EXPECT_EQ(items[2].text, L"隐藏/恢复(Ctrl + Alt + B)");
    EXPECT_EQ(items.back().text, L"版本号: 3.0.0.1");
}
