#include "base/rules/PercentEncode.h"

#include <gtest/gtest.h>

namespace {
bool PercentOrControl(wchar_t c) { return c == L'%' || c < 0x20; }
bool Nothing(wchar_t) { return false; }
}  // namespace

TEST(PercentEncode, OnlyTheChosenCharactersBecomeUpperCaseEscapes) {
    EXPECT_EQ(PercentEncode(L"a%b\x1f\n", PercentOrControl), L"a%25b%1F%0A");
    EXPECT_EQ(PercentEncode(L"双线1服-%", PercentOrControl), L"双线1服-%25");
    EXPECT_EQ(PercentEncode(std::wstring(L"\0x", 2), PercentOrControl), L"%00x");
    EXPECT_EQ(PercentEncode(L"", PercentOrControl), L"");
    EXPECT_EQ(PercentEncode(L"a%b", Nothing), L"a%b");
}
