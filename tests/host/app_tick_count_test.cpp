#include "app/rules/TickCount.h"

#include <gtest/gtest.h>

TEST(TickCount, FollowsTheSystemCountAndCarriesPastItsWrap) {
    EXPECT_EQ(ExtendTickCount(0, 0), 0u);
    EXPECT_EQ(ExtendTickCount(0, 1234), 1234u);
    EXPECT_EQ(ExtendTickCount(1234, 5000), 5000u);
    // The 32-bit count wraps from 0xFFFFFFF0 to 0x10: 0x20 milliseconds passed.
    EXPECT_EQ(ExtendTickCount(0xFFFFFFF0ull, 0x10), 0x100000010ull);
    // Later wraps keep adding.
    EXPECT_EQ(ExtendTickCount(0x2FFFFFFFFull, 5), 0x300000005ull);
    EXPECT_EQ(ExtendTickCount(0x300000005ull, 0x00000006), 0x300000006ull);
}
