// Signed releases against the dev service, which signs with OpenSSL and the key pair made for
// the dev and test builds: only a claim signed by the build's key, for this very "Tov" key and
// a newer version, makes an update, and nothing unverified is kept for the download.
#include "base/Config.h"
#include "base/rules/Version.h"
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "update/ReleaseSignature.h"
#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class SignedRelease : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring local = LocalVersionKey();
        m_localKey = std::string(local.begin(), local.end());
        devservice::ResetRequests();
    }
    void TearDown() override { devservice::Get("/__control/set?update=none&key=&signature=good"); }
    bool Check(const std::string& signature, const std::string& update = "published") {
        EXPECT_FALSE(
            devservice::Get("/__control/set?update=" + update + "&signature=" + signature + "&key=" + m_localKey).empty());
        return IsUpdateAvailable(true);
    }
    std::string m_localKey;
};

// The claim as the dev service serves it, with its statement.
struct ServedClaim {
    ReleaseClaim claim;
    std::string statement;
};
ServedClaim ServedGoodClaim() {
    ServedClaim served;
    const std::optional<ReleaseClaim> claim = VerifiedRelease();
    if (!claim) return served;
    served.claim = *claim;
    served.statement = ReleaseStatement(PublishedKey(), *claim).value_or("");
    return served;
}
}  // namespace

TEST_F(SignedRelease, ThisBuildTakesOnlySignedReleases) { EXPECT_TRUE(ReleasesMustBeSigned()); }

TEST_F(SignedRelease, AGoodSignatureForANewerBuildIsAnUpdateWithItsClaim) {
    EXPECT_TRUE(Check("good"));
    const std::optional<ReleaseClaim> claim = VerifiedRelease();
    ASSERT_TRUE(claim);
    EXPECT_TRUE(IsNewerVersion(claim->version, kClientVersion));
    const std::string state = devservice::Get("/__control/state");
    EXPECT_NE(state.find("\"exe_size\":" + std::to_string(claim->length)), std::string::npos) << state;
    EXPECT_EQ(claim->sha256.size(), 64u);
    EXPECT_FALSE(UpdateAddress().empty());
}

TEST_F(SignedRelease, EveryOtherSignatureIsNoUpdateAndLeavesNothingToDownload) {
    for (const char* signature : {"none", "otherkey", "older", "otherstatement", "malformed", "huge"}) {
        EXPECT_FALSE(Check(signature)) << signature;
        EXPECT_FALSE(VerifiedRelease()) << signature;
        EXPECT_TRUE(UpdateAddress().empty()) << signature;
        EXPECT_TRUE(PublishedKey().empty()) << signature;
        EXPECT_FALSE(IsOtherBuildPublishedNow()) << signature;  // the menu says the version is current
    }
    // Another key with no signature at all (an old build pushed back): no update either.
    std::string older = m_localKey;
    older.replace(28, 4, "3000");
    m_localKey = older;
    EXPECT_FALSE(Check("good", "none"));
}

TEST_F(SignedRelease, TheSignatureCoversEveryByteOfTheStatement) {
    ASSERT_TRUE(Check("good"));
    const ServedClaim served = ServedGoodClaim();
    ASSERT_FALSE(served.statement.empty());
    const std::vector<std::uint8_t> key(config::kReleaseKey, config::kReleaseKey + config::kReleaseKeySize);
    EXPECT_TRUE(VerifyRsaSha256(key, served.statement, served.claim.signature));
    std::string changed = served.statement;
    changed[changed.size() / 2] ^= 1;
    EXPECT_FALSE(VerifyRsaSha256(key, changed, served.claim.signature));
    std::vector<std::uint8_t> signature = served.claim.signature;
    signature.back() ^= 1;
    EXPECT_FALSE(VerifyRsaSha256(key, served.statement, signature));
    signature = served.claim.signature;
    signature.pop_back();
    EXPECT_FALSE(VerifyRsaSha256(key, served.statement, signature));
    EXPECT_FALSE(VerifyRsaSha256({}, served.statement, served.claim.signature));
    EXPECT_FALSE(VerifyRsaSha256({0x30, 0x03, 0x02, 0x01, 0x00}, served.statement, served.claim.signature));
}
