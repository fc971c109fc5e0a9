// The version file's key, compared with this build's and with a download's digest.
#include "FuzzInput.h"
#include "update/rules/VersionKey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring serverKey = in.Text();
    const std::wstring digest = in.Text();
    const std::wstring version = in.Text();
    DotlessVersion(version);
    const std::wstring local = ComposeVersionKey(digest, version);
    IsOtherBuildPublished(serverKey, local);
    // A key never names another build than the one it was composed from.
    if (!local.empty()) FUZZ_CHECK(!IsOtherBuildPublished(local, local));
    DigestMatchesKey(digest, serverKey, version);
    return 0;
}
