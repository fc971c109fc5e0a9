// The start statistics' day arithmetic and counters.
#include "app/rules/ActivityStats.h"

#include <climits>

#include <gtest/gtest.h>

TEST(ActivityStats, StoredDatesParseOnlyWhenTheyAreDates) {
    const auto date = ParseStoredDate(L"2026/12/7");
    ASSERT_TRUE(date);
    EXPECT_EQ(date->year, 2026);
    EXPECT_EQ(date->month, 12);
    EXPECT_EQ(date->day, 7);
    EXPECT_EQ(FormatStoredDate(*date), L"2026/12/7");
    for (const wchar_t* bad : {L"", L"0", L"2026/12", L"/", L"2026/13/1", L"2026/0/1", L"2026/2/30", L"1899/1/1",
                               L"abc/def/ghi", L"2026/12/0", L"99999999999999999999/1/1"}) {
        EXPECT_FALSE(ParseStoredDate(bad)) << testing::PrintToString(std::wstring(bad));
    }
    EXPECT_TRUE(ParseStoredDate(L"2024/2/29"));  // a leap day
    EXPECT_TRUE(ParseStoredDate(L"2026/1/2/3"));  // the middle is read up to its first non-digit
}

TEST(ActivityStats, DaysAreCalendarDays) {
    EXPECT_EQ(DaysBetween({2026, 12, 7}, {2026, 12, 7}), 0);
    EXPECT_EQ(DaysBetween({2026, 12, 31}, {2027, 1, 1}), 1);
    EXPECT_EQ(DaysBetween({2024, 2, 28}, {2024, 3, 1}), 2);
    EXPECT_EQ(DaysBetween({2026, 3, 28}, {2026, 3, 30}), 2);  // across a daylight-saving change
    EXPECT_EQ(DaysBetween({2026, 12, 10}, {2026, 12, 7}), -3);
}

TEST(ActivityStats, FirstStartEver) {
    const ActivityCounters c = NextActivity(0, 0, 1);
    EXPECT_EQ(c.weekdays, 1);
    EXPECT_EQ(c.keepdays, 1u);
    EXPECT_EQ(c.apartdays, 0);
    EXPECT_EQ(c.startDaysInWeek, 1);
}

TEST(ActivityStats, NextDayGrowsTheStreakAndShiftsTheHistory) {
    const ActivityCounters c = NextActivity(1, 0b101, 4);
    EXPECT_EQ(c.weekdays, 0b1011);
    EXPECT_EQ(c.keepdays, 5u);
    EXPECT_EQ(c.apartdays, 0);
    EXPECT_EQ(c.startDaysInWeek, 3);
}

TEST(ActivityStats, SameDayChangesNothing) {
    const ActivityCounters c = NextActivity(0, 0b1011, 5);
    EXPECT_EQ(c.weekdays, 0b1011);
    EXPECT_EQ(c.keepdays, 5u);
    EXPECT_EQ(c.apartdays, 0);
}

TEST(ActivityStats, GapsRestartTheStreak) {
    const ActivityCounters three = NextActivity(3, 1, 9);
    EXPECT_EQ(three.keepdays, 1u);
    EXPECT_EQ(three.apartdays, 2);
    EXPECT_EQ(three.weekdays, 0b1001);
    const ActivityCounters ten = NextActivity(10, 0x7F, 9);
    EXPECT_EQ(ten.weekdays, 1);
    EXPECT_EQ(ten.apartdays, 9);
    EXPECT_EQ(NextActivity(7, 0x7F, 2).weekdays, 1);
    EXPECT_EQ(NextActivity(6, 1, 2).weekdays, 0x41);  // the oldest day still counts
}

TEST(ActivityStats, DateInTheFutureStartsAfresh) {
    const ActivityCounters c = NextActivity(-3, 0x7F, 9);
    EXPECT_EQ(c.weekdays, 1);
    EXPECT_EQ(c.keepdays, 1u);
    EXPECT_EQ(c.apartdays, -4);
}

TEST(ActivityStats, DamagedStoredValuesAreSurvived) {
    EXPECT_EQ(NextActivity(1, 200, 1).weekdays, 1);  // above 128 counts as 0
    EXPECT_EQ(NextActivity(1, -5, 1).weekdays, 1);
    EXPECT_EQ(NextActivity(1, 0, UINT_MAX).keepdays, UINT_MAX);
    EXPECT_EQ(StoredUnsigned(L"12abc"), 12u);
    EXPECT_EQ(StoredUnsigned(L"abc"), 0u);
    EXPECT_EQ(StoredUnsigned(L""), 0u);
    EXPECT_EQ(StoredUnsigned(L"99999999999999999999"), UINT_MAX);
    EXPECT_EQ(CountedUp(UINT_MAX), UINT_MAX);
    EXPECT_EQ(CountedUp(41), 42u);
}
