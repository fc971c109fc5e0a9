// A tab's page zoom: stepping through the levels, fitting a page to the window, the keys and
// the stored text.
#include "gameview/rules/PageZoom.h"

#include <gtest/gtest.h>

using namespace zoom;

TEST(PageZoom, StepsGoThroughTheLevelsAndStopAtTheEnds) {
    EXPECT_EQ(Levels().front(), 50);
    EXPECT_EQ(Levels().back(), 200);
    EXPECT_EQ(StepUp(100), 110);
    EXPECT_EQ(StepDown(100), 90);
    EXPECT_EQ(StepUp(200), 200);
    EXPECT_EQ(StepDown(50), 50);
    EXPECT_EQ(StepUp(105), 110);  // from between two levels, the next one beyond
    EXPECT_EQ(StepDown(105), 100);
    EXPECT_EQ(StepUp(10), 50);
    EXPECT_EQ(StepDown(1000), 200);
    // A fitted page steps from the level it shows, and "0" is 100 % again.
    EXPECT_EQ(Stepped(75, 1), (Setting{80, false}));
    EXPECT_EQ(Stepped(75, -1), (Setting{67, false}));
    EXPECT_EQ(Stepped(175, 0), (Setting{100, false}));
}

TEST(PageZoom, FitIsTheLargestLevelWithoutScrollBars) {
    EXPECT_EQ(FitLevel(960, 560, 960, 560), 100);
    EXPECT_EQ(FitLevel(960, 560, 959, 560), 90);
    EXPECT_EQ(FitLevel(960, 560, 1358, 734), 125);  // a maximised window on 1366 x 768
    EXPECT_EQ(FitLevel(960, 560, 1920, 1120), 200);
    EXPECT_EQ(FitLevel(960, 560, 5000, 5000), 200);
    EXPECT_EQ(FitLevel(960, 560, 100, 100), 50);     // nothing fits: the smallest
    EXPECT_EQ(FitLevel(0, 560, 800, 600), 100);      // no page yet, or no window
    EXPECT_EQ(FitLevel(960, 560, 0, 0), 100);
    EXPECT_EQ(FitLevel(2147483647, 2147483647, 2147483647, 2147483647), 100);  // no overflow
}

TEST(PageZoom, OnlyCtrlWithItsKeysZooms) {
    EXPECT_EQ(KeyStep(0xBB, true, false), 1);   // Ctrl and "="
    EXPECT_EQ(KeyStep(0x6B, true, false), 1);   // the keypad's "+"
    EXPECT_EQ(KeyStep(0xBD, true, false), -1);  // Ctrl and "-"
    EXPECT_EQ(KeyStep(0x6D, true, false), -1);
    EXPECT_EQ(KeyStep('0', true, false), 0);
    EXPECT_EQ(KeyStep(0x60, true, false), 0);
    EXPECT_FALSE(KeyStep(0xBB, false, false));  // a page's own "="
    EXPECT_FALSE(KeyStep(0xBB, true, true));    // Ctrl+Alt is another character on many layouts
    EXPECT_FALSE(KeyStep('1', true, false));
}

TEST(PageZoom, StoredTextIsALevelOrFit) {
    EXPECT_EQ(SettingText(Setting{125, false}), L"125");
    EXPECT_EQ(SettingText(Setting{100, true}), L"fit");
    EXPECT_EQ(ParseSetting(L"fit"), (Setting{100, true}));
    EXPECT_EQ(ParseSetting(L"67"), (Setting{67, false}));
    for (const wchar_t* damaged : {L"", L"130", L"0125", L"125 ", L"-50", L"FIT", L"1e2", L"99999999999"}) {
        EXPECT_FALSE(ParseSetting(damaged)) << testing::PrintToString(std::wstring(damaged));
    }
}
