#include "update/rules/HttpUrl.h"

#include <algorithm>

namespace {
wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsIgnoreAsciiCase(const std::wstring& a, std::size_t from, const std::wstring& b) {
    if (a.size() - from != b.size()) return false;
    for (std::size_t i = 0; i < b.size(); ++i)
        if (LowerAscii(a[from + i]) != LowerAscii(b[i])) return false;
    return true;
}

// Letters, digits, "-", "_" and ".": anything else ("?", "#", "\", "%", blanks) would let
// a resolver and a reader of the address disagree about which host is meant.
bool IsHostNameCharacter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
           c == L'_' || c == L'.';
}

bool IsSameOrSubdomain(const std::wstring& host, const std::wstring& domain) {
    if (domain.empty() || host.size() < domain.size()) return false;
    const std::size_t from = host.size() - domain.size();
    if (!EqualsIgnoreAsciiCase(host, from, domain)) return false;
    return from == 0 || host[from - 1] == L'.';
}
}  // namespace

std::optional<HttpUrlParts> SplitHttpUrl(const std::wstring& text) {
    const std::size_t slash = text.find(L'/');
    std::wstring hostPart = text.substr(0, slash);
    HttpUrlParts parts;
    if (slash != std::wstring::npos) parts.object = text.substr(slash + 1);

    const std::size_t colon = hostPart.find(L':');
    if (colon != std::wstring::npos) {
        unsigned long port = 0;
        for (std::size_t i = colon + 1; i < hostPart.size() && hostPart[i] >= L'0' && hostPart[i] <= L'9'; ++i) {
            port = port * 10 + static_cast<unsigned long>(hostPart[i] - L'0');
            // Refused rather than wrapped: a wrapped number would reach some other port.
            if (port > 65535) return std::nullopt;
        }
        parts.port = static_cast<unsigned short>(port);
        hostPart.resize(colon);
    }
    parts.host = std::move(hostPart);

    if (parts.host.empty() || parts.host.size() > kMaxHttpHostLength || parts.object.size() > kMaxHttpObjectLength)
        return std::nullopt;
    return parts;
}

bool HasHttpScheme(const std::wstring& url) {
    return url.size() >= kHttpSchemeLength && EqualsIgnoreAsciiCase(url.substr(0, kHttpSchemeLength), 0, L"http://");
}

bool IsWebAddress(const std::wstring& url) {
    for (const wchar_t* scheme : {L"http://", L"https://"}) {
        const std::size_t length = std::wstring(scheme).size();
        if (url.size() > length && EqualsIgnoreAsciiCase(url.substr(0, length), 0, scheme)) return true;
    }
    return false;
}

bool IsOperatorUrl(const std::wstring& url, const std::vector<std::wstring>& domains) {
    // The fetch skips these seven characters and connects to what comes before the next
    // "/", so that is the part judged here.
    if (!HasHttpScheme(url)) return false;
    std::wstring authority = url.substr(kHttpSchemeLength);
    authority.resize(std::min(authority.size(), authority.find(L'/')));

    const std::size_t at = authority.rfind(L'@');
    std::wstring host = at == std::wstring::npos ? authority : authority.substr(at + 1);
    host.resize(std::min(host.size(), host.find(L':')));

    if (host.empty()) return false;
    for (wchar_t c : host)
        if (!IsHostNameCharacter(c)) return false;
    for (const std::wstring& domain : domains)
        if (IsSameOrSubdomain(host, domain)) return true;
    return false;
}

bool IsOperatorPageUrl(const std::wstring& url, const std::vector<std::wstring>& domains) {
    const std::wstring secure = L"https://";
    if (url.size() >= secure.size() && EqualsIgnoreAsciiCase(url.substr(0, secure.size()), 0, secure)) {
        return IsOperatorUrl(L"http://" + url.substr(secure.size()), domains);
    }
    return IsOperatorUrl(url, domains);
}
