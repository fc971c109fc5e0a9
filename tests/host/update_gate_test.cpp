#include "update/rules/UpdateGate.h"

#include <gtest/gtest.h>

namespace {
StoredTime Day(std::uint16_t y, std::uint16_t m, std::uint16_t d, std::uint16_t weekday) {
    StoredTime t;
    t.year = y;
    t.month = m;
    t.day = d;
    t.dayOfWeek = weekday;
    return t;
}
// Wednesday 2024-05-15, 23:59 UTC.
StoredTime Now() {
    StoredTime t = Day(2024, 5, 15, 3);
    t.hour = 23;
    t.minute = 59;
    return t;
}
std::uint32_t Days(unsigned z, unsigned x, unsigned y) { return z * 65536u + x * 256u + y; }
}  // namespace

TEST(UpdateGate, AnUpdateTodayClosesTheGateUntilTheNextUtcDate) {
    StoredTime earlierToday = Day(2024, 5, 15, 1);  // weekday and time are not compared
    earlierToday.hour = 0;
    EXPECT_FALSE(IsCheckDueOn(earlierToday, Now(), 0));
    EXPECT_TRUE(IsCheckDueOn(Day(2024, 5, 14, 2), Now(), 0));
    EXPECT_TRUE(IsCheckDueOn(Day(2023, 5, 15, 1), Now(), 0));
    EXPECT_TRUE(IsCheckDueOn(Day(2024, 4, 15, 1), Now(), 0));
    EXPECT_TRUE(IsCheckDueOn(StoredTime{}, Now(), 0));  // never updated
}

TEST(UpdateGate, ASkippedWeekdayClosesTheGate) {
    const StoredTime yesterday = Day(2024, 5, 14, 2);
    EXPECT_FALSE(IsCheckDueOn(yesterday, Now(), Days(3, 5, 6)));
    EXPECT_FALSE(IsCheckDueOn(yesterday, Now(), Days(5, 3, 6)));
    EXPECT_FALSE(IsCheckDueOn(yesterday, Now(), Days(5, 6, 3)));
    EXPECT_TRUE(IsCheckDueOn(yesterday, Now(), Days(4, 5, 6)));
}

TEST(UpdateGate, MissingOrZeroDisableDaysSkipsNoWeekday) {
    for (int d = 0; d < 7; ++d) EXPECT_FALSE(IsWeekdayDisabled(0, d)) << d;
    // Sunday is 0: stored as one of three days it counts once anything is stored.
    EXPECT_TRUE(IsWeekdayDisabled(Days(0, 1, 2), 0));
    EXPECT_FALSE(IsWeekdayDisabled(Days(0, 1, 2), 3));
    // The high byte is not a weekday.
    EXPECT_FALSE(IsWeekdayDisabled(0x04000102u, 4));
}

TEST(UpdateGate, OnlyTheModesThatRunTheMainWindowOrUpdateCheck) {
    EXPECT_FALSE(GatedCheckAllowedInMode(0));
    EXPECT_FALSE(GatedCheckAllowedInMode(1));
    EXPECT_TRUE(GatedCheckAllowedInMode(2));
    EXPECT_TRUE(GatedCheckAllowedInMode(3));
    EXPECT_FALSE(GatedCheckAllowedInMode(4));
    EXPECT_TRUE(GatedCheckAllowedInMode(5));
    EXPECT_FALSE(GatedCheckAllowedInMode(6));
    EXPECT_TRUE(GatedCheckAllowedInMode(7));
}

TEST(DisableDays, DrawnFromTheMillisecondsAndTwoRandomValues) {
    // m = 0: x = 41 % 7 = 6, y = 18467 % 7 = 1, z = 0.
    EXPECT_EQ(DisableDaysValue(0, 41, 18467), Days(0, 6, 1));
    // m = 500: x = (10 + 7 - 500) wraps to 2^32 - 483, % 7 = 4; y = (3 + 7 - 500) wraps to
    // 2^32 - 490, % 7 = 4, meets x and moves on to 5; z = 500 % 7 = 3.
    EXPECT_EQ(DisableDaysValue(500, 10, 3), Days(3, 4, 5));
    // Stored little-endian as y, x, z, 0.
    EXPECT_EQ(DisableDaysValue(500, 10, 3) >> 24, 0u);
}

TEST(DisableDays, ANegativeSumWrapsBeforeTheRemainder) {
    // 0 + 7 - 999 is -992: signed, its remainder would be -5 (or 2 made positive); the
    // unsigned sum 4294966304 leaves 6.
    EXPECT_EQ(DisableDaysValue(999, 0, 0) & 0xFF00u, 6u << 8);
    // z = 999 % 7 = 5, x = 6, y = 6 equals x and becomes 0.
    EXPECT_EQ(DisableDaysValue(999, 0, 0), Days(5, 6, 0));
}

TEST(DisableDays, ClashesWithTheFirstDayAreMovedOn) {
    // m = 7: z = 0 and x = (7 + 7 - 7) % 7 = 0 meet: z becomes 6.
    EXPECT_EQ(DisableDaysValue(7, 7, 8), Days(6, 0, 1));
    // y equal to x moves to x + 1, wrapping past Saturday.
    EXPECT_EQ(DisableDaysValue(0, 6, 13), Days(0, 6, 0));
    // z and y may still meet.
    EXPECT_EQ(DisableDaysValue(1, 3, 2), Days(1, 2, 1));
}
