// Addresses the login page navigates to ("app:" commands, login records with percent
// escapes, links, authorisation redirects) and the cookies it leaves.
#include "FuzzInput.h"
#include "login/rules/LoginCommand.h"

#include <cwctype>

using namespace login;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring url = in.Text();
    const std::wstring bridgeHost = in.Text();
    const std::wstring cookies = in.Text();
    const std::wstring name = in.Text();
    ClassifyPageUrl(url);
    const LoadGame load = ParseLoadGame(url);
    const RecordParts parts = SplitRecord(load.record);
    ShortServerName(parts.server);
    DuplicateLoginMessage(parts.account, parts.server);
    PercentDecodeUtf8(url);
    OpenUrlsTarget(url);
    if (const auto web = OpenUrlsWebAddress(url)) {
        // Only web addresses go to the shell (the scheme in any case).
        std::wstring scheme = web->substr(0, 8);
        for (wchar_t& c : scheme) c = static_cast<wchar_t>(std::towlower(c));
        FUZZ_CHECK(scheme.rfind(L"http://", 0) == 0 || scheme.rfind(L"https://", 0) == 0);
    }
    AuthRedirectTitle(url, bridgeHost);
    IsAuthCallback(url, bridgeHost);
    IsQqAuthorizeEndpoint(url);
    CookieValue(cookies, name);
    return 0;
}
