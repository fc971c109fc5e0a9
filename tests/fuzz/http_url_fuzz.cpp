// Addresses from the version file, the notice and the pages: splitting for a request and
// the operator-domain check.
#include "FuzzInput.h"
#include "update/rules/HttpUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring url = in.Text();
    const std::vector<std::wstring> domains = in.Texts(3);
    if (const auto parts = SplitHttpUrl(url)) FUZZ_CHECK(!parts->host.empty());
    HasHttpScheme(url);
    IsWebAddress(url);
    const bool operatorUrl = IsOperatorUrl(url, domains);
    IsOperatorPageUrl(url, domains);
    if (domains.empty()) FUZZ_CHECK(!operatorUrl);
    return 0;
}
