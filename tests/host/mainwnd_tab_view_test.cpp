// What a tab remembers for its account (muted, zoom), and its own menu.
#include "mainwnd/rules/TabMenu.h"
#include "mainwnd/rules/TabView.h"

#include <gtest/gtest.h>

using namespace tabs;

TEST(TabViewMemory, EveryRecordGetsAKeyOfItsOwnTheFileCanHold) {
    EXPECT_EQ(TabViewKey(L"双线1服-alice"), L"双线1服-alice");  // plain records as they are
    const std::wstring key = TabViewKey(L" [x]=1;a\"b\r\n%");
    EXPECT_EQ(key.find_first_of(L" []=;\"\r\n"), std::wstring::npos) << testing::PrintToString(key);
    EXPECT_NE(TabViewKey(L"a=b"), TabViewKey(L"a%3Db"));  // the escape character is escaped too
}

TEST(TabViewMemory, StoredValuesComeBackAndDamageGivesSoundAt100) {
    for (const TabView& view : {TabView{true, {125, false}}, TabView{false, {100, true}}, TabView{false, {50, false}}}) {
        EXPECT_EQ(ParseTabView(TabViewValue(view)), view) << testing::PrintToString(TabViewValue(view));
    }
    EXPECT_EQ(TabViewValue(TabView{true, {100, true}}), L"1,fit");
    for (const wchar_t* damaged : {L"", L"1", L"1,", L"2,100", L"1,130", L"1;100", L"1,100,5", L"x,fit", L"11,100"}) {
        EXPECT_EQ(ParseTabView(damaged), TabView{}) << testing::PrintToString(std::wstring(damaged));
    }
}

TEST(TabMenu, ItsItemsShowTheTabsStateAndGreyZoomWhereThePageCannotZoom) {
    const std::vector<TabMenuEntry> entries = TabMenuEntries(true, zoom::Setting{125, false}, true);
    std::vector<std::wstring> texts;
    for (const TabMenuEntry& e : entries) texts.push_back(e.text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"刷新", L"截图", L"静音", L"缩放", L"", L"关闭"}));
    EXPECT_TRUE(entries[2].checked);
    const std::vector<TabMenuEntry>& levels = entries[3].submenu;
    ASSERT_EQ(levels.size(), zoom::Levels().size() + 2);
    EXPECT_EQ(levels.front().text, L"50%");
    EXPECT_EQ(levels.back().text, L"适应窗口");
    for (const TabMenuEntry& level : levels) EXPECT_EQ(level.checked, level.text == L"125%") << testing::PrintToString(level.text);

    const std::vector<TabMenuEntry> fitted = TabMenuEntries(false, zoom::Setting{100, true}, false);
    EXPECT_FALSE(fitted[2].checked);
    EXPECT_TRUE(fitted[3].greyed);
    EXPECT_TRUE(fitted[3].submenu.back().checked);
    EXPECT_FALSE(fitted[3].submenu[5].checked);  // 100 %, but the page is fitted
    EXPECT_TRUE(fitted[3].submenu[5].greyed);
}

TEST(TabMenu, OnlyItsZoomItemsMeanAZoom) {
    EXPECT_EQ(ZoomOfTabMenuId(kTabMenuZoomLevel + 175), (zoom::Setting{175, false}));
    EXPECT_EQ(ZoomOfTabMenuId(kTabMenuZoomFit), (zoom::Setting{100, true}));
    for (int id : {0, int{kTabMenuMute}, kTabMenuZoomLevel + 130, int{kTabMenuZoomLevel}, -1}) {
        EXPECT_FALSE(ZoomOfTabMenuId(id)) << id;
    }
}
