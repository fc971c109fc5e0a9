// The version file's "Sig" value and the statement built from it, for any bytes.
#include "FuzzInput.h"
#include "update/rules/ReleaseStatement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring value = in.Text();
    const std::wstring key = in.Text();
    if (const auto decoded = DecodeBase64(value)) FUZZ_CHECK(decoded->size() <= value.size() / 4 * 3);
    if (const auto claim = ParseReleaseClaim(value)) {
        FUZZ_CHECK(value.size() <= kMaxReleaseClaimChars);
        FUZZ_CHECK(claim->length > 0 && claim->sha256.size() == 64);
        FUZZ_CHECK(claim->signature.size() >= 384 && claim->signature.size() <= 1024);
        FUZZ_CHECK(!IsNewerVersion(claim->version, claim->version));
        if (const auto statement = ReleaseStatement(key, *claim)) {
            // Five lines exactly: nothing in the key or the claim can add one.
            size_t lines = 0;
            for (char c : *statement) lines += c == '\n';
            FUZZ_CHECK(lines == 5);
        }
    }
    return 0;
}
