#include "update/rules/DownloadProgress.h"

#include <gtest/gtest.h>

TEST(DownloadPercent, TruncatedPercentageOfTheAnnouncedLength) {
    EXPECT_EQ(DownloadPercent(0, 1000), 0u);
    EXPECT_EQ(DownloadPercent(9, 1000), 0u);
    EXPECT_EQ(DownloadPercent(10, 1000), 1u);
    EXPECT_EQ(DownloadPercent(999, 1000), 99u);
    EXPECT_EQ(DownloadPercent(1000, 1000), 100u);
    EXPECT_EQ(DownloadPercent(512, 100000), 0u);
    EXPECT_EQ(DownloadPercent(99840, 100000), 99u);
}

TEST(DownloadPercent, LargeBodiesDoNotWrap) {
    // Past 42,949,673 bytes total × 100 no longer fits 32 bits.
    EXPECT_EQ(DownloadPercent(42949673, 48000000), 89u);
    EXPECT_EQ(DownloadPercent(42949674, 48000000), 89u);
    EXPECT_EQ(DownloadPercent(48000000, 48000000), 100u);
    EXPECT_EQ(DownloadPercent(4294967295u, 4294967295u), 100u);
    EXPECT_EQ(DownloadPercent(2147483648u, 4294967295u), 50u);
}

TEST(DownloadPercent, AZeroLengthGivesZeroInsteadOfDividing) {
    EXPECT_EQ(DownloadPercent(0, 0), 0u);
    EXPECT_EQ(DownloadPercent(512, 0), 0u);
}
