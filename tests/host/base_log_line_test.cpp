// The support log's lines: their form, what never goes into them, and when the file turns over.
#include "base/rules/LogLine.h"

#include <gtest/gtest.h>

TEST(LogLine, TimeToTheMillisecondProcessModeAndTheEventOnOneLine) {
    const LogStamp t{2026, 12, 9, 7, 5, 3, 42};
    EXPECT_EQ(LogLine(t, 1234, L"TovD", L"tab opened: 双线1服"), L"2026-12-09 07:05:03.042 [1234] TovD: tab opened: 双线1服\r\n");
    EXPECT_EQ(LogLine(t, 7, L"", L"x"), L"2026-12-09 07:05:03.042 [7] -: x\r\n");
    // Whatever the event holds, it stays one line.
    const std::wstring line = LogLine(t, 7, L"newgm", L"a\r\nb\tc\x2028" L"d");
    EXPECT_EQ(line.find_first_of(L"\r\n\t\x2028"), line.size() - 2);
}

TEST(LogLine, NoAccountCodeOrQueryGoesIntoALine) {
    EXPECT_EQ(AddressForLog(L"http://h:47810/login.htm?tag=tov&uid=alice&index=1"), L"http://h:47810/login.htm");
    EXPECT_EQ(AddressForLog(L"http://bridge/qzone/callback.do#code=secret"), L"http://bridge/qzone/callback.do");
    EXPECT_EQ(AddressForLog(L"http://h/update/ConfigTov.htm"), L"http://h/update/ConfigTov.htm");
    EXPECT_EQ(ServerForLog(L"双线1服-alice"), L"双线1服");
    EXPECT_EQ(ServerForLog(L"a-b-secret"), L"a-b");
    EXPECT_EQ(ServerForLog(L"alice"), L"");  // no server part: nothing of it
}

TEST(LogLine, TheFileTurnsOverBeforeItWouldPassOneMebibyte) {
    EXPECT_FALSE(LogNeedsRotation(0, 100));
    EXPECT_FALSE(LogNeedsRotation(kMaxLogBytes - 100, 100));
    EXPECT_TRUE(LogNeedsRotation(kMaxLogBytes - 100, 101));
    EXPECT_TRUE(LogNeedsRotation(kMaxLogBytes + 5000, 1));
    EXPECT_FALSE(LogNeedsRotation(0, 2 * kMaxLogBytes));  // an empty file takes even a huge line
}
