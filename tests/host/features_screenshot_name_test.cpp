// The file name of a game screenshot.
#include "features/rules/ScreenshotName.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
const LocalStamp kEvening{2026, 3, 7, 21, 5, 9};

std::optional<std::wstring> NameAmong(const std::wstring& record, const std::set<std::wstring>& existing,
                                      std::size_t limit = 255) {
    return ChooseScreenshotName(record, kEvening, limit,
                                [&](const std::wstring& name) { return existing.count(name) != 0; });
}
}  // namespace

TEST(ScreenshotName, RecordThenLocalDateAndTimeZeroPadded) {
    EXPECT_EQ(NameAmong(L"双线1服-alice", {}), std::wstring(L"双线1服-alice_20260307_210509.png"));
    const LocalStamp midnight{2027, 12, 31, 0, 0, 0};
    EXPECT_EQ(ChooseScreenshotName(L"s1-bob", midnight, 255, [](const std::wstring&) { return false; }),
              std::wstring(L"s1-bob_20271231_000000.png"));
}

TEST(ScreenshotName, CharactersAFileNameCannotHoldBecomeUnderscores) {
    EXPECT_EQ(NameAmong(L"a\\b/c:d*e?f\"g<h>i|j", {}), std::wstring(L"a_b_c_d_e_f_g_h_i_j_20260307_210509.png"));
    EXPECT_EQ(NameAmong(std::wstring(L"tab\there\x01") + L"\x1f", {}), std::wstring(L"tab_here___20260307_210509.png"));
    // A record of dots and separators cannot climb out of the folder.
    EXPECT_EQ(NameAmong(L"..\\..\\windows", {}), std::wstring(L".._.._windows_20260307_210509.png"));
    EXPECT_EQ(NameAmong(L"", {}), std::wstring(L"QuarnelHalvira_20260307_210509.png"));
}

TEST(ScreenshotName, ATakenNameGetsTheNextFreeNumber) {
    const std::wstring base = L"s1-alice_20260307_210509";
    EXPECT_EQ(NameAmong(L"s1-alice", {base + L".png"}), base + L"_2.png");
    EXPECT_EQ(NameAmong(L"s1-alice", {base + L".png", base + L"_2.png", base + L"_3.png"}), base + L"_4.png");
    // Only exact names count: a gap is filled first.
    EXPECT_EQ(NameAmong(L"s1-alice", {base + L".png", base + L"_3.png"}), base + L"_2.png");
}

TEST(ScreenshotName, AllNumbersTakenGivesNoName) {
    EXPECT_FALSE(ChooseScreenshotName(L"s1", kEvening, 255, [](const std::wstring&) { return true; }));
}

TEST(ScreenshotName, ALongRecordIsShortenedToFitTheLimit) {
    const std::wstring record(400, L'x');
    const auto name = NameAmong(record, {});
    ASSERT_TRUE(name);
    EXPECT_EQ(name->size(), 255u);
    EXPECT_EQ(name->substr(name->size() - 20), L"_20260307_210509.png");

    // With a number the record gives up more room; the limit still holds.
    const auto second = NameAmong(record, {*name});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->size(), 255u);
    EXPECT_EQ(second->substr(second->size() - 22), L"_20260307_210509_2.png");

    // A limit that leaves no room for even one character of the record gives nothing.
    EXPECT_FALSE(NameAmong(L"s1-alice", {}, 20));
    EXPECT_EQ(NameAmong(L"s1-alice", {}, 21), std::wstring(L"s_20260307_210509.png"));
}

TEST(ScreenshotName, ShorteningNeverSplitsASurrogatePair) {
    // U+1F600 as UTF-16: a high and a low surrogate.
    const std::wstring record = std::wstring(L"ab") + wchar_t(0xD83D) + wchar_t(0xDE00);
    // Room for three characters of the record: the pair would be cut in half, so it goes.
    const auto name = NameAmong(record, {}, 23);
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, L"ab_20260307_210509.png");
}

// A screenshot reply may come from any process: what it names must be a PNG directly in
// the screenshot folder, and one argument on Explorer's command line.
TEST(ScreenshotReplyPath, OnlyAPngDirectlyInTheFolderIsTaken) {
    const std::wstring folder = L"C:\\Users\\José\\Pictures\\QuarnelHalvira";
    EXPECT_TRUE(IsScreenshotPathIn(folder + L"\\s1-alice_20261209_120000.png", folder));
    EXPECT_TRUE(IsScreenshotPathIn(L"c:\\users\\José\\PICTURES\\quarnelhalvira\\a.PNG", folder));
    for (const std::wstring& path : {
             folder + L"\\a.exe", folder + L"\\a.png.exe", folder + L"\\.png", folder + L"\\",
             folder + L"\\..\\..\\Desktop\\a.png", folder + L"\\sub\\a.png", folder + L"\\a/b.png",
             folder + L"\\a\".png", folder + L"\\a.png\" /e,\"C:\\x.png", folder + L"\\a\r\n.png",
             folder + L"\\a.png:stream.png", folder + L"Other\\a.png", folder + L"a.png",
             std::wstring(L"\\\\evil\\share\\a.png"), std::wstring(L"C:\\Windows\\a.png"), std::wstring(),
         }) {
        EXPECT_FALSE(IsScreenshotPathIn(path, folder)) << testing::PrintToString(path);
    }
    EXPECT_FALSE(IsScreenshotPathIn(L"C:\\a.png", L""));
}
