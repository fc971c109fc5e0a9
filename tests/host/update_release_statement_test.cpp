// The operator's signed claim on a published build: what "Sig" may hold, the statement the
// signature must cover, and which version counts as newer.
#include "update/rules/ReleaseStatement.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {
const std::wstring kSha = L"0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
const std::wstring kSignature(512, L'A');  // 384 zero bytes in base64

std::wstring Claim(const std::wstring& version, const std::wstring& length, const std::wstring& sha,
                   const std::wstring& signature) {
    return version + L"," + length + L"," + sha + L"," + signature;
}
}  // namespace

TEST(ReleaseClaim, AWellFormedClaimIsReadWithItsSignatureBytes) {
    const auto claim = ParseReleaseClaim(Claim(L"3.0.0.2", L"812544", kSha, kSignature));
    ASSERT_TRUE(claim);
    EXPECT_EQ(claim->version, L"3.0.0.2");
    EXPECT_EQ(claim->length, 812544u);
    EXPECT_EQ(claim->sha256, kSha);
    EXPECT_EQ(claim->signature, std::vector<std::uint8_t>(384, 0));
    std::wstring upper = kSha;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    EXPECT_EQ(ParseReleaseClaim(Claim(L"3.0.0.2", L"1", upper, kSignature))->sha256, kSha);  // kept lower-case
}

TEST(ReleaseClaim, AnythingMalformedOrOutOfRangeIsRefused) {
    for (const std::wstring& value : {
             std::wstring(), Claim(L"3.0.0", L"1", kSha, kSignature), Claim(L"3.0.0.2.1", L"1", kSha, kSignature),
             Claim(L"3.0.0.65536", L"1", kSha, kSignature), Claim(L"3.0.0.02", L"1", kSha, kSignature),
             Claim(L"3.0.0.-2", L"1", kSha, kSignature), Claim(L"3.0.0.2", L"0", kSha, kSignature),
             Claim(L"3.0.0.2", L"4294967296", kSha, kSignature), Claim(L"3.0.0.2", L"012", kSha, kSignature),
             Claim(L"3.0.0.2", L"1e3", kSha, kSignature), Claim(L"3.0.0.2", L"1", kSha.substr(1), kSignature),
             Claim(L"3.0.0.2", L"1", kSha.substr(1) + L"g", kSignature),
             Claim(L"3.0.0.2", L"1", kSha, std::wstring(340, L'A')),   // 255 bytes: too short a key
             Claim(L"3.0.0.2", L"1", kSha, std::wstring(1368, L'A')),  // 1026 bytes: longer than any
             Claim(L"3.0.0.2", L"1", kSha, kSignature + L"="), Claim(L"3.0.0.2", L"1", kSha, L"%%%"),
             Claim(L"3.0.0.2", L"1", kSha, kSignature) + L",x", Claim(L"3.0.0.2", L"1", kSha, kSignature) + std::wstring(2048, L'A'),
         }) {
        EXPECT_FALSE(ParseReleaseClaim(value)) << testing::PrintToString(value.substr(0, 120));
    }
}

TEST(ReleaseStatement, BindsKeyVersionLengthAndDigestLineByLine) {
    const ReleaseClaim claim = *ParseReleaseClaim(Claim(L"3.0.0.2", L"812544", kSha, kSignature));
    EXPECT_EQ(ReleaseStatement(L"0123456789abcdef0123456789ab3002", claim),
              "QuarnelHalvira release\nTov=0123456789abcdef0123456789ab3002\nVersion=3.0.0.2\nLength=812544\nSHA256=" +
                  std::string(kSha.begin(), kSha.end()) + "\n");
    // A key that could carry a line of its own, or is not ASCII, signs nothing.
    for (const std::wstring& key : {std::wstring(), std::wstring(L"ab\ncd"), std::wstring(L"ab cd"), std::wstring(L"键")}) {
        EXPECT_FALSE(ReleaseStatement(key, claim)) << testing::PrintToString(key);
    }
}

TEST(ReleaseVersion, OnlyALaterVersionIsNewer) {
    EXPECT_TRUE(IsNewerVersion(L"3.0.0.2", L"3.0.0.1"));
    EXPECT_TRUE(IsNewerVersion(L"3.0.0.10", L"3.0.0.9"));  // numbers, not text
    EXPECT_TRUE(IsNewerVersion(L"4.0.0.0", L"3.65535.65535.65535"));
    EXPECT_FALSE(IsNewerVersion(L"3.0.0.1", L"3.0.0.1"));
    EXPECT_FALSE(IsNewerVersion(L"3.0.0.0", L"3.0.0.1"));
    EXPECT_FALSE(IsNewerVersion(L"2.9.9.9", L"3.0.0.1"));
    EXPECT_FALSE(IsNewerVersion(L"3.0.1", L"3.0.0.1"));
    EXPECT_FALSE(IsNewerVersion(L"9.0.0.0", L"x"));
}

TEST(Base64, DecodesPaddedTextAndRefusesEverythingElse) {
    EXPECT_EQ(DecodeBase64(L""), std::vector<std::uint8_t>{});
    EXPECT_EQ(DecodeBase64(L"TWFu"), (std::vector<std::uint8_t>{'M', 'a', 'n'}));
    EXPECT_EQ(DecodeBase64(L"TWE="), (std::vector<std::uint8_t>{'M', 'a'}));
    EXPECT_EQ(DecodeBase64(L"TQ=="), (std::vector<std::uint8_t>{'M'}));
    EXPECT_EQ(DecodeBase64(L"+/+/"), (std::vector<std::uint8_t>{0xFB, 0xFF, 0xBF}));
    for (const wchar_t* text : {L"TWF", L"TWE", L"T===", L"====", L"TW=u", L"TWE=TWFu", L"TR==", L"TWF=", L"TW u",
                                L"TWFu\n", L"TWFu=", L"-_-_"}) {
        EXPECT_FALSE(DecodeBase64(text)) << testing::PrintToString(std::wstring(text));
    }
}
