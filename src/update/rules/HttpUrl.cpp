#include "update/rules/HttpUrl.h"

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

// "http://" or, where allowed, "https://": the length of the scheme found, 0 for none.
std::size_t SchemeLength(const std::wstring& url, bool allowSecure, bool& secure) {
    const std::wstring plain = L"http://";
    const std::wstring tls = L"https://";
    secure = false;
    if (url.size() >= plain.size() && EqualsIgnoreAsciiCase(url.substr(0, plain.size()), 0, plain)) return plain.size();
    if (allowSecure && url.size() >= tls.size() && EqualsIgnoreAsciiCase(url.substr(0, tls.size()), 0, tls)) {
        secure = true;
        return tls.size();
    }
    return 0;
}

std::optional<unsigned short> PortOf(const std::wstring& digits) {
    if (digits.empty()) return std::nullopt;
    unsigned long port = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        port = port * 10 + static_cast<unsigned long>(c - L'0');
        if (port > 65535) return std::nullopt;  // refused, not wrapped to some other port
    }
    if (port == 0) return std::nullopt;
    return static_cast<unsigned short>(port);
}

std::optional<HttpUrlParts> ParseAddress(const std::wstring& url, bool allowSecure, bool limitObject) {
    bool secure = false;
    const std::size_t scheme = SchemeLength(url, allowSecure, secure);
    if (scheme == 0) return std::nullopt;
    const std::size_t slash = url.find(L'/', scheme);
    const std::wstring authority = url.substr(scheme, slash == std::wstring::npos ? std::wstring::npos : slash - scheme);
    HttpUrlParts parts;
    parts.secure = secure;
    parts.port = secure ? 443 : 80;
    if (slash != std::wstring::npos) parts.object = url.substr(slash + 1);

    const std::size_t colon = authority.find(L':');
    parts.host = authority.substr(0, colon);
    if (colon != std::wstring::npos) {
        const std::optional<unsigned short> port = PortOf(authority.substr(colon + 1));
        if (!port) return std::nullopt;
        parts.port = *port;
    }
    // "@" and every other character a host name cannot hold fail here.
    if (parts.host.empty() || parts.host.size() > kMaxHttpHostLength) return std::nullopt;
    for (wchar_t c : parts.host)
        if (!IsHostNameCharacter(c)) return std::nullopt;
    if (limitObject && parts.object.size() > kMaxHttpObjectLength) return std::nullopt;
    return parts;
}
}  // namespace

std::optional<HttpUrlParts> ParseHttpUrl(const std::wstring& url) { return ParseAddress(url, false, true); }

std::optional<HttpUrlParts> ParsePageUrl(const std::wstring& url) { return ParseAddress(url, true, false); }

bool IsWebAddress(const std::wstring& url) {
    for (const wchar_t* scheme : {L"http://", L"https://"}) {
        const std::size_t length = std::wstring(scheme).size();
        if (url.size() > length && EqualsIgnoreAsciiCase(url.substr(0, length), 0, scheme)) return true;
    }
    return false;
}

bool IsOperatorHost(const std::wstring& host, const std::vector<std::wstring>& domains) {
    for (const std::wstring& domain : domains)
        if (IsSameOrSubdomain(host, domain)) return true;
    return false;
}

bool IsOperatorUrl(const std::wstring& url, const std::vector<std::wstring>& domains) {
    const std::optional<HttpUrlParts> parts = ParseHttpUrl(url);
    return parts && IsOperatorHost(parts->host, domains);
}

bool IsOperatorPageUrl(const std::wstring& url, const std::vector<std::wstring>& domains) {
    const std::optional<HttpUrlParts> parts = ParsePageUrl(url);
    return parts && IsOperatorHost(parts->host, domains);
}
