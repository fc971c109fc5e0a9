#include "base/rules/PathParts.h"

#include <gtest/gtest.h>

TEST(PathParts, SplitAtTheLastBackslash) {
    EXPECT_EQ(FolderOf(L"C:\\Users\\a b\\QuarnelHalvira.exe"), L"C:\\Users\\a b");
    EXPECT_EQ(FileNameOf(L"C:\\Users\\a b\\QuarnelHalvira.exe"), L"QuarnelHalvira.exe");
    EXPECT_EQ(FolderOf(L"C:\\x.png"), L"C:");
    EXPECT_EQ(FileNameOf(L"C:\\folder\\"), L"");
}

TEST(PathParts, APathWithoutBackslashIsAllFileName) {
    EXPECT_EQ(FolderOf(L"name.png"), L"");
    EXPECT_EQ(FileNameOf(L"name.png"), L"name.png");
    EXPECT_EQ(FolderOf(L""), L"");
    EXPECT_EQ(FileNameOf(L""), L"");
}
