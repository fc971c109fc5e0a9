#include "mainwnd/rules/LoginRecord.h"
#include "mainwnd/rules/MainLayout.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mainwnd;

TEST(CaptionRow, ControlsStandLeftOfTheFrameButtons) {
    const CaptionRow row = CaptionRowFor(1000);
    EXPECT_EQ(row.hide, Rect::FromXYWH(886, 0, 27, 27));
    EXPECT_EQ(row.sound, Rect::FromXYWH(859, 0, 27, 27));
    EXPECT_EQ(row.system, Rect::FromXYWH(815, 0, 44, 28));
    EXPECT_EQ(row.addLabel, Rect::FromXYWH(715, 7, 92, 16));
    // Close 33 + maximise 27 + minimise 27 = 87 from the right edge; hide starts after them.
    EXPECT_EQ(row.hide.right, 1000 - 87);
}

TEST(MinimumSize, OnlyWhileTabsExist) {
    EXPECT_FALSE(MinimumSizeFix(Size{1, 1}, 0));
    EXPECT_EQ(MinimumSizeFix(Size{100, 100}, 1), (Size{672, 260}));
    EXPECT_EQ(MinimumSizeFix(Size{900, 100}, 2), (Size{900, 260}));
    EXPECT_EQ(MinimumSizeFix(Size{100, 500}, 3), (Size{1050, 500}));
    EXPECT_FALSE(MinimumSizeFix(Size{1050, 260}, 3));
}

TEST(GameProcess, CommandLineCarriesWindowAndTabCount) {
    EXPECT_EQ(GameProcessCommandLine(L"C:\\Program Files\\Q\\Q.exe", 196834, 2),
              L"\"C:\\Program Files\\Q\\Q.exe\" /newgm /196834 /2");
    EXPECT_EQ(GameProcessCommandLine(L"Q.exe", -5, 0), L"\"Q.exe\" /newgm /-5 /0");
    EXPECT_EQ(UpdaterCommandLine(L"C:\\Q.exe"), L"\"C:\\Q.exe\" /update");
}

namespace {
std::vector<std::uint16_t> Utf16(const std::wstring& text, bool terminate = true) {
    std::vector<std::uint16_t> units(text.begin(), text.end());
    if (terminate) units.push_back(0);
    return units;
}
}  // namespace

TEST(LoginRecordMessage, WellFormedRecordIsRead) {
    const auto units = Utf16(L"双线1服-alice");
    EXPECT_EQ(DecodeLoginRecord(0, units.size() * 2, units.data()), std::wstring(L"双线1服-alice"));
}

TEST(LoginRecordMessage, MalformedRecordsAreRefused) {
    const auto units = Utf16(L"s1-abc");
    EXPECT_FALSE(DecodeLoginRecord(1, units.size() * 2, units.data()));            // other data kind
    EXPECT_FALSE(DecodeLoginRecord(0, units.size() * 2 - 1, units.data()));        // odd byte count
    EXPECT_FALSE(DecodeLoginRecord(0, 0, units.data()));                           // empty
    EXPECT_FALSE(DecodeLoginRecord(0, 2, units.data()));                           // only the terminator
    EXPECT_FALSE(DecodeLoginRecord(0, units.size() * 2, nullptr));
    const auto unterminated = Utf16(L"s1-abc", false);
    EXPECT_FALSE(DecodeLoginRecord(0, unterminated.size() * 2, unterminated.data()));
    const auto early = Utf16(std::wstring(L"s1\0-abc", 7));
    EXPECT_FALSE(DecodeLoginRecord(0, early.size() * 2, early.data()));           // terminator inside
    const auto longest = Utf16(std::wstring(512, L'a'));
    EXPECT_TRUE(DecodeLoginRecord(0, longest.size() * 2, longest.data()));
    const auto tooLong = Utf16(std::wstring(513, L'a'));
    EXPECT_FALSE(DecodeLoginRecord(0, tooLong.size() * 2, tooLong.data()));
}

TEST(LoginRecordMessage, DecodingReadsOnlyTheAnnouncedBytes) {
    // A record claiming 6 bytes inside a larger buffer: "ab" and its terminator only.
    const std::uint16_t buffer[] = {'a', 'b', 0, 'x', 'y', 'z'};
    EXPECT_EQ(DecodeLoginRecord(0, 6, buffer), std::wstring(L"ab"));
}

TEST(LoginReport, AccountIsTheTextAfterTheLastDash) {
    EXPECT_EQ(AccountOf(L"s1-abc"), L"abc");
    EXPECT_EQ(AccountOf(L"双线-1服-abc"), L"abc");
    EXPECT_EQ(AccountOf(L"abc"), L"abc");
    EXPECT_EQ(AccountOf(L"s1-"), L"");
    EXPECT_EQ(LoginReportUrl(L"127.0.0.1:47810", L"abc", 1),
              L"http://127.0.0.1:47810/login.htm?tag=tov&ver=3.0.0.1&uid=abc&index=1");
}

TEST(LoginReport, AnAccountCannotAddParametersOrBreakTheRequestLine) {
    // Plain names as they always went.
    EXPECT_EQ(LoginReportUrl(L"h", L"张三_li.wei-9", 2), L"http://h/login.htm?tag=tov&ver=3.0.0.1&uid=张三_li.wei-9&index=2");
    EXPECT_EQ(LoginReportUrl(L"h", L"a&index=99&x=", 1), L"http://h/login.htm?tag=tov&ver=3.0.0.1&uid=a%26index%3D99%26x%3D&index=1");
    EXPECT_EQ(LoginReportUrl(L"h", L"a b\r\nHost: evil#%", 1),
              L"http://h/login.htm?tag=tov&ver=3.0.0.1&uid=a%20b%0D%0AHost%3A%20evil%23%25&index=1");
    EXPECT_EQ(LoginReportUrl(L"h", L"a/b?c+d", 1), L"http://h/login.htm?tag=tov&ver=3.0.0.1&uid=a%2Fb%3Fc%2Bd&index=1");
}
