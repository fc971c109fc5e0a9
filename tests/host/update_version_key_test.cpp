#include "update/rules/VersionKey.h"

#include <gtest/gtest.h>

namespace {
const wchar_t kDigest[] = L"0123456789abcdef0123456789abcdef";
}

TEST(VersionKey, KeepsTheDigestDigitsTheVersionLeavesRoomFor) {
    EXPECT_EQ(DotlessVersion(L"3.0.0.1"), L"3001");
    EXPECT_EQ(ComposeVersionKey(kDigest, L"3.0.0.1"), L"0123456789abcdef0123456789ab3001");
    EXPECT_EQ(ComposeVersionKey(kDigest, L"3.0.0.1").size(), 32u);
    // A longer version keeps fewer digits; the key stays 32 characters.
    EXPECT_EQ(ComposeVersionKey(kDigest, L"10.2.33.4"), L"0123456789abcdef0123456789102334");
    EXPECT_EQ(ComposeVersionKey(L"0123456789ABCDEF0123456789ABCDEF", L"3.0.0.1"), L"0123456789abcdef0123456789ab3001");
}

TEST(VersionKey, AnUnreadableExecutableHasNoKey) {
    EXPECT_EQ(ComposeVersionKey(L"", L"3.0.0.1"), L"");
    EXPECT_EQ(ComposeVersionKey(L"0123456789abcdef", L"3.0.0.1"), L"");
    EXPECT_EQ(ComposeVersionKey(L"0123456789abcdef0123456789abcdeg", L"3.0.0.1"), L"");
}

TEST(VersionKey, AnyDifferenceButLetterCaseIsAnUpdate) {
    const std::wstring local = ComposeVersionKey(kDigest, L"3.0.0.1");
    EXPECT_FALSE(IsOtherBuildPublished(local, local));
    EXPECT_FALSE(IsOtherBuildPublished(L"0123456789ABCDEF0123456789AB3001", local));
    EXPECT_TRUE(IsOtherBuildPublished(L"0123456789abcdef0123456789ab3000", local));  // older
    EXPECT_TRUE(IsOtherBuildPublished(L"f123456789abcdef0123456789ab3001", local));
    EXPECT_TRUE(IsOtherBuildPublished(local.substr(0, 31), local));
    EXPECT_FALSE(IsOtherBuildPublished(L"", local));  // no "Tov" in the version file
    EXPECT_FALSE(IsOtherBuildPublished(local, L""));  // no local key
}

TEST(VersionKey, ADownloadMustCarryTheDigestTheKeyAnnounces) {
    const std::wstring key = L"0123456789ABCDEF0123456789AB3002";  // another version, same file
    EXPECT_TRUE(DigestMatchesKey(kDigest, key, L"3.0.0.2"));
    EXPECT_TRUE(DigestMatchesKey(kDigest, L"0123456789abcdef0123456789ab", L"3.0.0.2"));
    EXPECT_FALSE(DigestMatchesKey(L"1123456789abcdef0123456789abcdef", key, L"3.0.0.2"));
    EXPECT_FALSE(DigestMatchesKey(L"0123456789abcdef0123456789accdef", key, L"3.0.0.2"));  // last kept digit
    EXPECT_FALSE(DigestMatchesKey(kDigest, L"0123456789abcdef0123456789a", L"3.0.0.2"));  // key too short
    EXPECT_FALSE(DigestMatchesKey(L"", key, L"3.0.0.2"));
    EXPECT_FALSE(DigestMatchesKey(kDigest, L"", L"3.0.0.2"));
}
