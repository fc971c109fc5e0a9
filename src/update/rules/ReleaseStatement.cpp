#include "update/rules/ReleaseStatement.h"

#include <array>

namespace {
constexpr std::size_t kMinSignatureBytes = 384;   // 3072 bits
constexpr std::size_t kMaxSignatureBytes = 1024;  // 8192 bits

std::vector<std::wstring> SplitAt(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Decimal digits only, no sign, at most `limit`.
std::optional<std::uint64_t> Number(const std::wstring& digits, std::uint64_t limit) {
    if (digits.empty() || digits.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
        if (value > limit) return std::nullopt;
    }
    return value;
}

std::optional<std::array<std::uint64_t, 4>> VersionNumbers(const std::wstring& version) {
    const std::vector<std::wstring> parts = SplitAt(version, L'.');
    if (parts.size() != 4) return std::nullopt;
    std::array<std::uint64_t, 4> numbers{};
    for (std::size_t i = 0; i < 4; ++i) {
        // "03" would sign a different statement text for the same version: one spelling only.
        if (parts[i].size() > 1 && parts[i][0] == L'0') return std::nullopt;
        const std::optional<std::uint64_t> n = Number(parts[i], 65535);
        if (!n) return std::nullopt;
        numbers[i] = *n;
    }
    return numbers;
}

std::optional<std::wstring> LowerHexSha256(const std::wstring& text) {
    if (text.size() != 64) return std::nullopt;
    std::wstring lower = text;
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'F') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (!IsDigit(c) && !(c >= L'a' && c <= L'f')) return std::nullopt;
    }
    return lower;
}

int Base64Value(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return c - L'A';
    if (c >= L'a' && c <= L'z') return c - L'a' + 26;
    if (c >= L'0' && c <= L'9') return c - L'0' + 52;
    if (c == L'+') return 62;
    if (c == L'/') return 63;
    return -1;
}

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }
}  // namespace

std::optional<std::vector<std::uint8_t>> DecodeBase64(const std::wstring& text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == L'=') ++padding;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = 0; i < text.size() - padding; ++i) {
        const int value = Base64Value(text[i]);
        if (value < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        if (++count == 4) {
            bytes.push_back(static_cast<std::uint8_t>(bits >> 16));
            bytes.push_back(static_cast<std::uint8_t>(bits >> 8));
            bytes.push_back(static_cast<std::uint8_t>(bits));
            bits = 0;
            count = 0;
        }
    }
    // What the padding leaves: two characters make one byte, three make two; the bits beyond
    // them must be zero, or two texts would decode to the same bytes.
    if (count == 2) {
        if (bits & 0xF) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(bits >> 4));
    } else if (count == 3) {
        if (bits & 0x3) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(bits >> 10));
        bytes.push_back(static_cast<std::uint8_t>(bits >> 2));
    } else if (count != 0) {
        return std::nullopt;
    }
    if (count != 0 && count + padding != 4) return std::nullopt;
    if (count == 0 && padding != 0) return std::nullopt;
    return bytes;
}

std::optional<ReleaseClaim> ParseReleaseClaim(const std::wstring& value) {
    if (value.empty() || value.size() > kMaxReleaseClaimChars) return std::nullopt;
    const std::vector<std::wstring> parts = SplitAt(value, L',');
    if (parts.size() != 4) return std::nullopt;
    ReleaseClaim claim;
    if (!VersionNumbers(parts[0])) return std::nullopt;
    claim.version = parts[0];
    const std::optional<std::uint64_t> length = Number(parts[1], 0xFFFFFFFFu);
    if (!length || *length == 0 || (parts[1].size() > 1 && parts[1][0] == L'0')) return std::nullopt;
    claim.length = static_cast<std::uint32_t>(*length);
    const std::optional<std::wstring> sha = LowerHexSha256(parts[2]);
    if (!sha) return std::nullopt;
    claim.sha256 = *sha;
    std::optional<std::vector<std::uint8_t>> signature = DecodeBase64(parts[3]);
    if (!signature || signature->size() < kMinSignatureBytes || signature->size() > kMaxSignatureBytes)
        return std::nullopt;
    claim.signature = std::move(*signature);
    return claim;
}

std::optional<std::string> ReleaseStatement(const std::wstring& key, const ReleaseClaim& claim) {
    if (key.empty()) return std::nullopt;
    for (wchar_t c : key)
        if (c < 0x21 || c > 0x7E) return std::nullopt;
    if (!VersionNumbers(claim.version) || !LowerHexSha256(claim.sha256) || claim.length == 0) return std::nullopt;
    return "QuarnelHalvira release\nTov=" + Ascii(key) + "\nVersion=" + Ascii(claim.version) +
           "\nLength=" + std::to_string(claim.length) + "\nSHA256=" + Ascii(*LowerHexSha256(claim.sha256)) + "\n";
}

bool IsNewerVersion(const std::wstring& candidate, const std::wstring& current) {
    const auto a = VersionNumbers(candidate);
    const auto b = VersionNumbers(current);
    return a && b && *a > *b;
}
