// Addresses from the version file, the notice and the pages: the connection's reading and the
// operator-domain check must agree on every input.
#include "FuzzInput.h"
#include "base/rules/LogLine.h"
#include "update/rules/HttpUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring url = in.Text();
    const std::vector<std::wstring> domains = in.Texts(3);
    IsWebAddress(url);
    const auto parts = ParseHttpUrl(url);
    const bool operatorUrl = IsOperatorUrl(url, domains);
    // The check passes exactly when the host the connection would reach is on the domains.
    FUZZ_CHECK(operatorUrl == (parts && IsOperatorHost(parts->host, domains)));
    if (parts) {
        // That host is the text right behind the scheme, up to the port or the object: no
        // user info or anything else in front of it.
        FUZZ_CHECK(!parts->host.empty() && parts->port != 0);
        FUZZ_CHECK(url.compare(7, parts->host.size(), parts->host) == 0);
        const wchar_t next = url.size() > 7 + parts->host.size() ? url[7 + parts->host.size()] : L'/';
        FUZZ_CHECK(next == L':' || next == L'/');
        FUZZ_CHECK(parts->host.find_first_of(L"@:/\\?#% ") == std::wstring::npos);
        // A page's reading of a plain address is the same.
        const auto page = ParsePageUrl(url);
        FUZZ_CHECK(page && page->host == parts->host && page->port == parts->port && page->object == parts->object);
    }
    if (const auto page = ParsePageUrl(url)) {
        FUZZ_CHECK(IsOperatorPageUrl(url, domains) == IsOperatorHost(page->host, domains));
    }
    if (domains.empty()) FUZZ_CHECK(!operatorUrl);
    // What the support log makes of the address: no query, and one line whatever it holds.
    const std::wstring logged = AddressForLog(url);
    FUZZ_CHECK(logged.find_first_of(L"?#") == std::wstring::npos);
    const std::wstring line = LogLine(LogStamp{}, 1, L"TovD", logged);
    FUZZ_CHECK(line.find_first_of(L"\r\n") == line.size() - 2);
    return 0;
}
