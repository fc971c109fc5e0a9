#include "base/rules/CopyDataText.h"

#include <cstring>

std::vector<std::uint16_t> EncodeCopyDataText(const std::wstring& text) {
    std::vector<std::uint16_t> units(text.begin(), text.end());
    units.push_back(0);
    return units;
}

std::optional<std::wstring> DecodeCopyDataText(std::uintptr_t expectedKind, std::uintptr_t dataKind,
                                               std::size_t byteCount, const void* data, std::size_t maxChars) {
    if (dataKind != expectedKind || data == nullptr || byteCount < 4 || byteCount % 2 != 0) return std::nullopt;
    const std::size_t units = byteCount / 2;
    if (units - 1 > maxChars) return std::nullopt;
    std::vector<std::uint16_t> utf16(units);
    std::memcpy(utf16.data(), data, byteCount);
    if (utf16.back() != 0) return std::nullopt;
    std::wstring text;
    text.reserve(units - 1);
    for (std::size_t i = 0; i + 1 < units; ++i) {
        if (utf16[i] == 0) return std::nullopt;  // text shorter than it claims
        text.push_back(static_cast<wchar_t>(utf16[i]));
    }
    return text;
}
