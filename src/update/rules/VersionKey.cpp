#include "update/rules/VersionKey.h"

namespace {
wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool IsHexDigest(std::wstring_view digest) {
    if (digest.size() != 32) return false;
    for (wchar_t c : digest) {
        const wchar_t l = AsciiLower(c);
        if (!((l >= L'0' && l <= L'9') || (l >= L'a' && l <= L'f'))) return false;
    }
    return true;
}

// How many digest digits a key keeps; 0 when the version leaves no room for any.
std::size_t DigestDigits(std::wstring_view version) {
    const std::size_t n = DotlessVersion(version).size();
    return n < kVersionKeyLength ? kVersionKeyLength - n : 0;
}
}  // namespace

std::wstring DotlessVersion(std::wstring_view version) {
    std::wstring out;
    for (wchar_t c : version)
        if (c != L'.') out += c;
    return out;
}

std::wstring ComposeVersionKey(std::wstring_view digestHex, std::wstring_view version) {
    const std::size_t keep = DigestDigits(version);
    if (!IsHexDigest(digestHex) || keep == 0) return std::wstring();
    std::wstring key(digestHex.substr(0, keep));
    for (wchar_t& c : key) c = AsciiLower(c);
    return key + DotlessVersion(version);
}

bool IsOtherBuildPublished(std::wstring_view serverKey, std::wstring_view localKey) {
    if (serverKey.empty() || localKey.empty()) return false;
    return !EqualIgnoringCase(serverKey, localKey);
}

bool DigestMatchesKey(std::wstring_view digestHex, std::wstring_view serverKey, std::wstring_view version) {
    const std::size_t keep = DigestDigits(version);
    if (!IsHexDigest(digestHex) || keep == 0 || serverKey.size() < keep) return false;
    return EqualIgnoringCase(digestHex.substr(0, keep), serverKey.substr(0, keep));
}
