#include "app/rules/ReportUrls.h"

#include <gtest/gtest.h>

TEST(ReportUrls, CountsAndDayFiguresAreAppendedInOrder) {
    EXPECT_EQ(InstallReportUrl(L"h.example", 3), L"http://h.example/install.htm?tag=tov&ver=3.0.0.1&count=3");
    EXPECT_EQ(WebPortalReportUrl(L"h.example", 1), L"http://h.example/active.htm?tag=webQuarnel&ver=3.0.0.1&count=1");
    EXPECT_EQ(UninstallReportUrl(L"h.example:81", 4294967295u),
              L"http://h.example:81/uninstall.htm?tag=tov&ver=3.0.0.1&count=4294967295");
    EXPECT_EQ(ActivityReportUrl(L"h.example", 7, -3, 1, 2),
              L"http://h.example/active.htm?tag=tov&ver=3.0.0.1&count=7&apartdays=-3&keepdays=1&weekdays=2");
}
