#include "features/rules/HotKeys.h"

#include <gtest/gtest.h>

TEST(HotKeyStorage, DefaultsReadAsTheirKeys) {
    EXPECT_EQ(ParseHotKey(SettingOf(HotKeyField::Boss).defaultValue), (HotKey{0, 121}));
    EXPECT_EQ(ParseHotKey(SettingOf(HotKeyField::Switch).defaultValue), (HotKey{2, 9}));
    EXPECT_EQ(ParseHotKey(SettingOf(HotKeyField::Sound).defaultValue), (HotKey{2, 81}));
    EXPECT_EQ(ParseHotKey(SettingOf(HotKeyField::Shot).defaultValue), (HotKey{0, 120}));
    EXPECT_EQ(std::wstring(SettingOf(HotKeyField::Switch).iniKey), L"AltWndKey");
    EXPECT_EQ(std::wstring(SettingOf(HotKeyField::Shot).iniKey), L"ShotKey");
}

TEST(HotKeyStorage, TheScreenshotKeyIsStoredAndShownLikeTheOthers) {
    EXPECT_EQ(HotKeyToStored(HotKey{0, 120}), L"0,120");
    EXPECT_EQ(ParseHotKey(HotKeyToStored(HotKey{kModCtrl | kModShift, 'P'})), (HotKey{6, 80}));
    EXPECT_EQ(FormatHotKey(120, 0), L"F9");
    const CaptureResult f9 = CaptureKey(HotKeyField::Shot, 120, ModifierState{});
    EXPECT_EQ(f9.text, L"F9");
    EXPECT_EQ(f9.newVk, 120);
    EXPECT_EQ(HotKeyToSave(f9.text, 120), (HotKey{0, 120}));
    // F12 empties the field, as it does for the boss and sound keys; Tab is not taken.
    EXPECT_EQ(CaptureKey(HotKeyField::Shot, 123, ModifierState{}).text, L"无");
    EXPECT_FALSE(CaptureKey(HotKeyField::Shot, 9, ModifierState{true, false, false}).newVk);
}

TEST(HotKeyStorage, DamagedValuesReadWithoutFailing) {
    EXPECT_EQ(ParseHotKey(L""), (HotKey{0, 0}));
    EXPECT_EQ(ParseHotKey(L","), (HotKey{0, 0}));
    EXPECT_EQ(ParseHotKey(L"2,"), (HotKey{2, 0}));
    EXPECT_EQ(ParseHotKey(L"abc,81"), (HotKey{0, 81}));
    EXPECT_EQ(ParseHotKey(L"6"), (HotKey{6, 0}));       // no comma: all modifiers
    EXPECT_EQ(ParseHotKey(L"2,9,5"), (HotKey{2, 9}));   // split at the first comma
    EXPECT_EQ(ParseHotKey(L"3x,70y"), (HotKey{3, 70}));  // leading digits only
    EXPECT_EQ(ParseHotKey(L"99999999999,1").vk, 1);
    EXPECT_EQ(ParseHotKey(L"99999999999,1").modifiers, 2147483647);
    EXPECT_EQ(ParseHotKey(L"-2,9"), (HotKey{0, 9}));
    // Only 31 characters are read: the key falls beyond them.
    EXPECT_EQ(ParseHotKey(std::wstring(30, L'0') + L",81"), (HotKey{0, 0}));
}

TEST(HotKeyStorage, StoredTextRoundTrips) {
    EXPECT_EQ(HotKeyToStored(HotKey{3, 65}), L"3,65");
    EXPECT_EQ(HotKeyToStored(HotKey{0, 0}), L"0,0");
    EXPECT_EQ(ParseHotKey(HotKeyToStored(HotKey{6, 112})), (HotKey{6, 112}));
}

TEST(HotKeyNames, TableCoversItsNinetySevenCodes) {
    int named = 0;
    for (int vk = 0; vk < 256; ++vk) named += GetKeyName(vk).empty() ? 0 : 1;
    EXPECT_EQ(named, 97);
    EXPECT_EQ(GetKeyName(0x30), L"0");
    EXPECT_EQ(GetKeyName(0x5A), L"Z");
    EXPECT_EQ(GetKeyName(0x69), L"Num 9");
    EXPECT_EQ(GetKeyName(0x7B), L"F12");
    EXPECT_EQ(GetKeyName(19), L"Pause Break");
    EXPECT_EQ(GetKeyName(220), L"\\");
    EXPECT_EQ(GetKeyName(0x7C), L"");  // F13 has no name
    EXPECT_EQ(GetKeyName(-1), L"");
}

TEST(HotKeyNames, DisplayTextOrdersModifiersCtrlShiftAlt) {
    EXPECT_EQ(FormatHotKey(121, 0), L"F10");
    EXPECT_EQ(FormatHotKey(9, 2), L"Ctrl  +  Tab");
    EXPECT_EQ(FormatHotKey(81, 6), L"Ctrl  +  Shift  +  Q");
    EXPECT_EQ(FormatHotKey(65, 7), L"Ctrl  +  Shift  +  Alt  +  A");
    EXPECT_EQ(FormatHotKey(0, 7), L"无");
    EXPECT_EQ(FormatHotKey(0x7C, 2), L"Ctrl  +  ");  // a code without a name shows its modifiers
}

TEST(HotKeyCapture, CapturableSets) {
    EXPECT_TRUE(IsCapturableKey(0x7A));   // F11
    EXPECT_FALSE(IsCapturableKey(0x7B));  // F12
    EXPECT_TRUE(IsCapturableKey(0x21));
    EXPECT_TRUE(IsCapturableKey(0x2D));
    EXPECT_FALSE(IsCapturableKey(0x2E));  // Del clears instead
    EXPECT_TRUE(IsCapturableKey(0x6B));
    EXPECT_FALSE(IsCapturableKey(0x6C));  // separator
    EXPECT_TRUE(IsCapturableKey(0xC0));
    EXPECT_FALSE(IsCapturableKey(0xC1));
    EXPECT_FALSE(IsCapturableKey(9));
    EXPECT_TRUE(IsCapturableKey(9, HotKeyField::Switch));
    EXPECT_FALSE(IsCapturableKey(17));
}

TEST(HotKeyCapture, MessagesTheDialogLooksAt) {
    EXPECT_EQ(ClassifyKeyMessage(false, 27), KeyMessageAction::Swallow);
    EXPECT_EQ(ClassifyKeyMessage(false, 13), KeyMessageAction::Swallow);
    EXPECT_EQ(ClassifyKeyMessage(false, 65), KeyMessageAction::Capture);
    EXPECT_EQ(ClassifyKeyMessage(true, 65), KeyMessageAction::PassOn);   // Alt + letter
    EXPECT_EQ(ClassifyKeyMessage(true, 121), KeyMessageAction::Capture);  // F10 arrives as a system key
    EXPECT_EQ(ClassifyKeyMessage(true, 18), KeyMessageAction::Capture);
}

TEST(HotKeyCapture, KeysAndModifiersMakeTheFieldText) {
    const ModifierState none;
    const ModifierState ctrl{true, false, false};
    const ModifierState ctrlAlt{true, false, true};

    CaptureResult r = CaptureKey(HotKeyField::Boss, 17, ctrl);  // Ctrl alone
    EXPECT_EQ(r.text, L"Ctrl  +  ");
    EXPECT_FALSE(r.newVk);

    r = CaptureKey(HotKeyField::Sound, 'X', ctrlAlt);
    EXPECT_EQ(r.text, L"Ctrl  +  Alt  +  X");
    EXPECT_EQ(r.newVk, 'X');

    r = CaptureKey(HotKeyField::Boss, 8, ctrl);  // Back clears whatever is held
    EXPECT_EQ(r.text, L"无");
    EXPECT_FALSE(r.newVk);

    EXPECT_EQ(CaptureKey(HotKeyField::Boss, 123, none).text, L"无");       // F12 clears the boss key
    EXPECT_EQ(CaptureKey(HotKeyField::Switch, 123, none).text, L"");        // but is nothing for the switch key
    EXPECT_EQ(CaptureKey(HotKeyField::Switch, 123, ctrl).text, L"Ctrl  +  ");
    EXPECT_FALSE(CaptureKey(HotKeyField::Switch, 123, ctrl).newVk);
    EXPECT_EQ(CaptureKey(HotKeyField::Switch, 9, ctrl).text, L"Ctrl  +  Tab");
    EXPECT_EQ(CaptureKey(HotKeyField::Boss, 9, ctrl).text, L"Ctrl  +  ");
    for (int vk : {46, 91, 92}) EXPECT_EQ(CaptureKey(HotKeyField::Switch, vk, ctrl).text, L"无");
}

TEST(HotKeySave, ConflictsAreExactEqualTexts) {
    EXPECT_FALSE(HotKeysConflict({L"F10", L"Ctrl  +  Tab", L"Ctrl  +  Q", L"F9"}));
    EXPECT_TRUE(HotKeysConflict({L"无", L"Ctrl  +  Tab", L"无", L"F9"}));
    EXPECT_TRUE(HotKeysConflict({L"F10", L"", L"", L"F9"}));
    EXPECT_TRUE(HotKeysConflict({L"F10", L"Ctrl  +  ", L"Ctrl  +  ", L"F9"}));
    EXPECT_FALSE(HotKeysConflict({L"F10", L"f10", L"Ctrl  +  Q", L"F9"}));
}

TEST(HotKeySave, TheScreenshotKeyConflictsWithEachOfTheOthers) {
    EXPECT_TRUE(HotKeysConflict({L"F9", L"Ctrl  +  Tab", L"Ctrl  +  Q", L"F9"}));
    EXPECT_TRUE(HotKeysConflict({L"F10", L"F9", L"Ctrl  +  Q", L"F9"}));
    EXPECT_TRUE(HotKeysConflict({L"F10", L"Ctrl  +  Tab", L"F9", L"F9"}));
    EXPECT_TRUE(HotKeysConflict({L"F10", L"Ctrl  +  Tab", L"Ctrl  +  Q", L"Ctrl  +  Q"}));
    EXPECT_TRUE(HotKeysConflict({L"无", L"Ctrl  +  Tab", L"Ctrl  +  Q", L"无"}));
    EXPECT_FALSE(HotKeysConflict({L"F10", L"Ctrl  +  Tab", L"Ctrl  +  Q", L"无"}));
}

TEST(HotKeySave, WhatEachFieldStores) {
    EXPECT_EQ(HotKeyToSave(L"F10", 121), (HotKey{0, 121}));
    EXPECT_EQ(HotKeyToSave(L"Ctrl  +  Alt  +  X", 'X'), (HotKey{3, 'X'}));
    EXPECT_EQ(HotKeyToSave(L"Ctrl  +  Shift  +  Q", 'Q'), (HotKey{6, 'Q'}));
    EXPECT_EQ(HotKeyToSave(L"无", 121), (HotKey{0, 0}));  // cleared
    EXPECT_FALSE(HotKeyToSave(L"", 121));                // left unchanged
    EXPECT_FALSE(HotKeyToSave(L"Ctrl  +  ", 121));
}

TEST(HotKeyStorage, EachFieldOfASetIsItsOwnKey) {
    HotKeySet keys;
    keys.Of(HotKeyField::Boss) = HotKey{0, 1};
    keys.Of(HotKeyField::Switch) = HotKey{0, 2};
    keys.Of(HotKeyField::Sound) = HotKey{0, 3};
    keys.Of(HotKeyField::Shot) = HotKey{0, 4};
    EXPECT_EQ(keys.boss, (HotKey{0, 1}));
    EXPECT_EQ(keys.windowSwitch, (HotKey{0, 2}));
    EXPECT_EQ(keys.sound, (HotKey{0, 3}));
    EXPECT_EQ(keys.shot, (HotKey{0, 4}));
    const HotKeySet& read = keys;
    EXPECT_EQ(read.Of(HotKeyField::Sound), (HotKey{0, 3}));
}
