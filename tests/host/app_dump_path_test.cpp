#include "app/rules/DumpPath.h"

#include <gtest/gtest.h>

TEST(DumpPath, ReplacesTheExtensionBesideTheExecutable) {
    EXPECT_EQ(DumpPathForExecutable(L"C:\\Game\\x.exe"), L"C:\\Game\\x.dmp");
    EXPECT_EQ(DumpPathForExecutable(L"C:\\Game\\a.b.exe"), L"C:\\Game\\a.b.dmp");
    EXPECT_EQ(DumpPathForExecutable(L"C:\\Game\\x."), L"C:\\Game\\x.dmp");
}

TEST(DumpPath, NoDumpWithoutADotInTheFileName) {
    EXPECT_EQ(DumpPathForExecutable(L"C:\\Game\\launcher"), L"");
    EXPECT_EQ(DumpPathForExecutable(L"C:\\Game.v2\\launcher"), L"");
    EXPECT_EQ(DumpPathForExecutable(L""), L"");
}
