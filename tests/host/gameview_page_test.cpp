// The game frame's decisions: hall page, host flags, game area, mute latch, F5 and hot keys.
#include "gameview/rules/GamePage.h"

#include <gtest/gtest.h>

TEST(GamePage, OnlyTheExactDefaultAddressIsTheHall) {
    EXPECT_EQ(DefaultGamePageUrl(L"127.0.0.1:47810"), L"http://127.0.0.1:47810/webgame.htm");
    EXPECT_TRUE(IsDefaultGamePage(L"http://h.example/webgame.htm", L"h.example"));
    for (const wchar_t* other : {L"http://h.example/webgame.htm?x=1", L"http://H.example/webgame.htm",
                                 L"https://h.example/webgame.htm", L"http://h.example/webgame.htm ", L"",
                                 L"http://h.example/play.htm"}) {
        EXPECT_FALSE(IsDefaultGamePage(other, L"h.example")) << testing::PrintToString(std::wstring(other));
    }
}

TEST(GamePage, GamePagesLoseBorderAndScrollBarsTheHallKeepsThem) {
    EXPECT_EQ(GameHostFlags(0, true), 0u);
    EXPECT_EQ(GameHostFlags(0x40000, true), 0x40000u);
    EXPECT_EQ(GameHostFlags(0, false), 0xCu);
    EXPECT_EQ(GameHostFlags(0x40004, false), 0x4000Cu);
}

TEST(GamePage, GameAreaSitsBelowTheTabStripAndNeverInverts) {
    EXPECT_EQ(GameAreaOf(Rect{0, 0, 800, 600}), (Rect{4, 30, 796, 596}));
    EXPECT_EQ(GameAreaOf(Rect{0, 0, 1, 1}), (Rect{4, 30, 4, 30}));
    EXPECT_EQ(GameAreaOf(Rect{0, 0, 0, 0}).Width(), 0);
}

TEST(GamePage, MuteIsAppliedFirstEvenWhenZeroThenOnlyOnChanges) {
    MuteLatch latch;
    EXPECT_TRUE(latch.Take(0));
    EXPECT_FALSE(latch.Take(0));
    EXPECT_TRUE(latch.Take(1));
    EXPECT_FALSE(latch.Take(1));
    EXPECT_FALSE(latch.Take(1));
    EXPECT_TRUE(latch.Take(0));

    MuteLatch mutedFirst;
    EXPECT_TRUE(mutedFirst.Take(1));
    EXPECT_FALSE(mutedFirst.Take(1));
    // An odd value from a foreign sender is a state of its own, not a crash.
    EXPECT_TRUE(mutedFirst.Take(-7));
}

TEST(GamePage, HotKeysMatchKeyAndModifiersExactly) {
    EXPECT_EQ(ModifierBits(true, false, false), 2);
    EXPECT_EQ(ModifierBits(true, true, true), 7);
    const HotKey ctrlTab{2, 9};
    EXPECT_TRUE(MatchesHotKey(ctrlTab, 9, 2));
    EXPECT_FALSE(MatchesHotKey(ctrlTab, 9, 6));
    EXPECT_FALSE(MatchesHotKey(ctrlTab, 9, 0));
    // Keys not loaded yet match nothing.
    EXPECT_FALSE(MatchesHotKey(HotKey{}, 9, 2));
}

TEST(GamePage, F5RefreshesUnlessPlainF5IsTheBossSoundOrScreenshotKey) {
    const HotKey f10{0, 0x79}, f9{0, 0x78}, f5{0, 0x74}, ctrlF5{2, 0x74};
    auto keys = [](const HotKey& boss, const HotKey& sound, const HotKey& shot, const HotKey& windowSwitch = {}) {
        HotKeySet set;
        set.boss = boss;
        set.windowSwitch = windowSwitch;
        set.sound = sound;
        set.shot = shot;
        return set;
    };
    EXPECT_TRUE(F5Refreshes(keys(f10, f10, f9), false));
    EXPECT_TRUE(F5Refreshes(keys(ctrlF5, ctrlF5, ctrlF5), false));
    EXPECT_FALSE(F5Refreshes(keys(f5, f10, f9), false));
    EXPECT_FALSE(F5Refreshes(keys(f10, f5, f9), false));
    EXPECT_FALSE(F5Refreshes(keys(f10, f10, f5), false));
    EXPECT_TRUE(F5Refreshes(keys(f5, f10, f9), true));
    EXPECT_TRUE(F5Refreshes(keys(f10, f10, f5), true));
    EXPECT_TRUE(F5Refreshes(HotKeySet{}, false));
    // The window-switch key is forwarded to the host before F5 is looked at.
    EXPECT_TRUE(F5Refreshes(keys(f10, f10, f9, f5), false));
}
