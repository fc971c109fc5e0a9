#include "app/rules/StartMode.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {
const std::wstring kInstallFolder = L"C:\\Users\\Li\\AppData\\Local\\Quarnel\\GameLogin";
const std::wstring kElsewhere = L"D:\\Downloads\\QuarnelHalvira.exe";

std::wstring Upper(const std::wstring& s) {
    std::wstring u = s;
    for (wchar_t& c : u) c = static_cast<wchar_t>(std::towupper(c));
    return u;
}

StartMode Classify(std::vector<std::wstring> args, const std::wstring& exe = kElsewhere) {
    return ClassifyStartMode(args, exe, kInstallFolder, Upper);
}
}  // namespace

TEST(StartMode, EachSwitchSelectsItsMode) {
    EXPECT_EQ(Classify({L"/webQuarnelD"}), StartMode::WebPortal);
    EXPECT_EQ(Classify({L"/TovD"}), StartMode::ShortcutStart);
    EXPECT_EQ(Classify({L"/uninst"}), StartMode::Uninstall);
    EXPECT_EQ(Classify({L"/update"}), StartMode::Update);
    EXPECT_EQ(Classify({L"/newgm", L"/1", L"/0"}), StartMode::NewGameTab);
    EXPECT_EQ(Classify({L"/gmhall", L"/1"}), StartMode::GameHall);
}

TEST(StartMode, SwitchesMatchWholeAndIgnoreLetterCase) {
    EXPECT_EQ(Classify({L"/tovd"}), StartMode::ShortcutStart);
    EXPECT_EQ(Classify({L"/UNINST"}), StartMode::Uninstall);
    EXPECT_EQ(Classify({L"/TovDx"}), StartMode::Install);
    EXPECT_EQ(Classify({L"/Tov"}), StartMode::Install);
    EXPECT_EQ(Classify({L"TovD"}), StartMode::Install);
}

TEST(StartMode, OnlyTheFirstArgumentSelects) {
    EXPECT_EQ(Classify({L"/other", L"/TovD"}), StartMode::Install);
    EXPECT_EQ(Classify({L"/update", L"/uninst"}), StartMode::Update);
}

TEST(StartMode, WithoutSwitchTheInstallFolderDecides) {
    EXPECT_EQ(Classify({}), StartMode::Install);
    EXPECT_EQ(Classify({}, kInstallFolder + L"\\QuarnelHalvira.exe"), StartMode::InstalledStart);
    EXPECT_EQ(Classify({L"/unknown"}, kInstallFolder + L"\\QuarnelHalvira.exe"), StartMode::InstalledStart);
}

TEST(StartMode, InstallFolderTestIsCaseInsensitiveSubstring) {
    EXPECT_EQ(Classify({}, L"c:\\users\\li\\appdata\\local\\quarnel\\gamelogin\\x.exe"), StartMode::InstalledStart);
    // Any folder whose path contains the install folder counts, even a deeper one.
    EXPECT_EQ(Classify({}, kInstallFolder + L"\\backup\\old\\x.exe"), StartMode::InstalledStart);
    EXPECT_EQ(Classify({}, L"C:\\Users\\Li\\AppData\\Local\\Quarnel\\Game\\x.exe"), StartMode::Install);
}

TEST(StartMode, UnknownInstallFolderMeansInstall) {
    EXPECT_EQ(ClassifyStartMode({}, kElsewhere, L"", Upper), StartMode::Install);
}

TEST(HostArguments, NewGameTabReadsWindowAndTabNumber) {
    const HostArguments a = ParseHostArguments(StartMode::NewGameTab, {L"/newgm", L"/655432", L"/2"});
    EXPECT_EQ(a.hostWindow, 655432u);
    EXPECT_EQ(a.tabNumber, 2);
    const HostArguments hall = ParseHostArguments(StartMode::GameHall, {L"/gmhall", L"/131090"});
    EXPECT_EQ(hall.hostWindow, 131090u);
    EXPECT_EQ(hall.tabNumber, 0);
}

TEST(HostArguments, LongestArgumentsThatFitTheirBuffersAreRead) {
    const HostArguments a = ParseHostArguments(StartMode::NewGameTab, {L"/newgm", L"/4294967295", L"/999999"});
    EXPECT_EQ(a.hostWindow, 4294967295u);
    EXPECT_EQ(a.tabNumber, 999999);
}

TEST(HostArguments, BadArgumentsMeanNoHost) {
    const std::vector<std::vector<std::wstring>> bad = {
        {L"/newgm"},                                // both missing
        {L"/newgm", L"/1234"},                      // tab number missing
        {L"/newgm", L"1234", L"/1"},                // no slash
        {L"/newgm", L"/", L"/1"},                   // no digits
        {L"/newgm", L"/12ab", L"/1"},               // not a number
        {L"/newgm", L"/-5", L"/1"},                 // sign
        {L"/newgm", L"/1234567890123456", L"/1"},   // longer than its buffer
        {L"/newgm", L"/4294967296", L"/1"},         // beyond a window handle
        {L"/newgm", L"/0", L"/1"},                  // no window
        {L"/newgm", L"/1234", L"/12345678"},        // tab number longer than its buffer
        {L"/newgm", L"/1234", L"/x"},
        {L"/newgm", L"", L""},
    };
    for (const auto& args : bad) {
        const HostArguments a = ParseHostArguments(StartMode::NewGameTab, args);
        EXPECT_EQ(a.hostWindow, 0u) << args.size();
        EXPECT_EQ(a.tabNumber, 0);
    }
    EXPECT_EQ(ParseHostArguments(StartMode::GameHall, {L"/gmhall"}).hostWindow, 0u);
    EXPECT_EQ(ParseHostArguments(StartMode::GameHall, {L"/gmhall", L"/99999999999999"}).hostWindow, 0u);
}

TEST(HostArguments, OtherModesCarryNoHost) {
    EXPECT_EQ(ParseHostArguments(StartMode::ShortcutStart, {L"/TovD", L"/1234", L"/1"}).hostWindow, 0u);
}
