// The batch script that deletes the uninstalled executable.
#include "app/rules/SelfDeleteScript.h"

#include <gtest/gtest.h>

TEST(SelfDeleteScript, ShortFormDeletesOnlyTheExecutableThenItself) {
    const auto script = SelfDeleteScript("C:\\Users\\a\\GameLogin\\QuarnelHalvira.exe", "C:\\Temp\\DelA1.tmp.bat", false);
    ASSERT_TRUE(script);
    EXPECT_EQ(*script,
              "cd\\\r\n:delexe\r\nping -n 1 127.0.0.1\r\n"
              "del \"C:\\Users\\a\\GameLogin\\QuarnelHalvira.exe\"\r\n"
              "if exist \"C:\\Users\\a\\GameLogin\\QuarnelHalvira.exe\" goto :delexe\r\n"
              "del \"C:\\Temp\\DelA1.tmp.bat\"\r\n");
}

TEST(SelfDeleteScript, LongFormAlsoEmptiesAndRemovesTheFolder) {
    const auto script = SelfDeleteScript("C:\\G\\Q.exe", "C:\\T\\D.bat", true);
    ASSERT_TRUE(script);
    EXPECT_EQ(*script,
              "cd\\\r\n:delexe\r\nping -n 1 127.0.0.1\r\ndel \"C:\\G\\Q.exe\"\r\nif exist \"C:\\G\\Q.exe\" goto :delexe\r\n"
              "del \"C:\\G\" /Q /F /A\r\nrd \"C:\\G\"\r\ndel \"C:\\T\\D.bat\"\r\n");
}

TEST(SelfDeleteScript, PathsABatchLineCannotCarryMakeNoScript) {
    EXPECT_FALSE(SelfDeleteScript("", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("Q.exe", "C:\\T\\D.bat", true));  // no folder: nothing to remove
    EXPECT_FALSE(SelfDeleteScript("\\Q.exe", "C:\\T\\D.bat", true));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q\".exe", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe\r\ndel C:\\x", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\%TEMP%\\Q.exe", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe", "", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\" + std::string(1000, 'a') + "\\Q.exe", "C:\\T\\D.bat", true));  // over 2048 bytes
}
