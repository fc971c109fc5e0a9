// The batch script that deletes the uninstalled executable.
#include "app/rules/SelfDeleteScript.h"

#include <gtest/gtest.h>

namespace {
const std::string kHead = "setlocal\r\ncd\\\r\nset qhround=0\r\n:delexe\r\nping -n 2 127.0.0.1\r\n";
}

TEST(SelfDeleteScript, ShortFormDeletesOnlyTheExecutableThenItself) {
    const auto script = SelfDeleteScript("C:\\Users\\a\\GameLogin\\QuarnelHalvira.exe", "C:\\Temp\\DelA1.tmp.bat", false);
    ASSERT_TRUE(script);
    EXPECT_EQ(*script, kHead +
                           "del \"C:\\Users\\a\\GameLogin\\QuarnelHalvira.exe\"\r\n"
                           "if not exist \"C:\\Users\\a\\GameLogin\\QuarnelHalvira.exe\" goto :deleted\r\n"
                           "set /a qhround=qhround+1\r\n"
                           "if %qhround% lss 120 goto :delexe\r\n"
                           "goto :done\r\n:deleted\r\n"
                           ":done\r\ndel \"C:\\Temp\\DelA1.tmp.bat\"\r\n");
}

TEST(SelfDeleteScript, LongFormEmptiesAndRemovesTheFolderOnlyOnceTheExecutableIsGone) {
    const auto script = SelfDeleteScript("C:\\G\\Q.exe", "C:\\T\\D.bat", true);
    ASSERT_TRUE(script);
    EXPECT_EQ(*script, kHead +
                           "del \"C:\\G\\Q.exe\"\r\nif not exist \"C:\\G\\Q.exe\" goto :deleted\r\n"
                           "set /a qhround=qhround+1\r\nif %qhround% lss 120 goto :delexe\r\n"
                           "goto :done\r\n:deleted\r\n"
                           "del \"C:\\G\" /Q /F /A\r\nrd \"C:\\G\"\r\n"
                           ":done\r\ndel \"C:\\T\\D.bat\"\r\n");
}

TEST(SelfDeleteScript, GivesUpAfterTheGivenNumberOfRounds) {
    EXPECT_EQ(kSelfDeleteRounds, 120);  // about two minutes of one-second rounds
    const auto script = SelfDeleteScript("C:\\G\\Q.exe", "C:\\T\\D.bat", false, 3);
    ASSERT_TRUE(script);
    EXPECT_NE(script->find("if %qhround% lss 3 goto :delexe\r\n"), std::string::npos);
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe", "C:\\T\\D.bat", false, 0));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe", "C:\\T\\D.bat", false, -1));
}

TEST(SelfDeleteScript, PercentInAPathIsWrittenDoubled) {
    const auto script = SelfDeleteScript("C:\\100%\\%TEMP%\\Q.exe", "C:\\T%1\\D.bat", true);
    ASSERT_TRUE(script);
    EXPECT_NE(script->find("del \"C:\\100%%\\%%TEMP%%\\Q.exe\"\r\n"), std::string::npos);
    EXPECT_NE(script->find("if not exist \"C:\\100%%\\%%TEMP%%\\Q.exe\" goto :deleted\r\n"), std::string::npos);
    EXPECT_NE(script->find("rd \"C:\\100%%\\%%TEMP%%\"\r\n"), std::string::npos);
    EXPECT_NE(script->find("del \"C:\\T%%1\\D.bat\"\r\n"), std::string::npos);
    EXPECT_EQ(script->find("\\%TEMP%\\"), std::string::npos);
}

TEST(SelfDeleteScript, PathsABatchLineCannotCarryMakeNoScript) {
    EXPECT_FALSE(SelfDeleteScript("", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("Q.exe", "C:\\T\\D.bat", true));  // no folder: nothing to remove
    EXPECT_FALSE(SelfDeleteScript("\\Q.exe", "C:\\T\\D.bat", true));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q\".exe", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe\r\ndel C:\\x", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe\ndel C:\\x", "C:\\T\\D.bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe", "", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\G\\Q.exe", "C:\\T\\D\".bat", false));
    EXPECT_FALSE(SelfDeleteScript("C:\\" + std::string(1000, 'a') + "\\Q.exe", "C:\\T\\D.bat", true));  // over 2048 bytes
}
