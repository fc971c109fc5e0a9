#include "features/rules/FavoriteShortcut.h"

#include "base/rules/PercentEncode.h"

#include <cwctype>

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Cuts to at most `length` units without separating a surrogate pair.
std::wstring CutAt(const std::wstring& text, size_t length) {
    if (text.size() <= length) return text;
    if (length > 0 && IsHighSurrogate(text[length - 1])) --length;
    return text.substr(0, length);
}

bool IsTrimmed(wchar_t c) {
    switch (c) {
        case L' ': case L'\t': case L'\r': case L'\n': case L'\v': case L'\f':
        case L'.':
        case 0x00A0:  // no-break space
        case 0x3000:  // ideographic space, typed by Chinese input methods
            return true;
        default:
            return false;
    }
}

std::wstring Trim(const std::wstring& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin])) ++begin;
    while (end > begin && IsTrimmed(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool IsForbidden(wchar_t c) {
    return c < 0x20 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' ||
           c == L'>' || c == L'|';
}

// "CON", "nul", "COM1" ... name devices, not files, also with an extension after them.
bool IsReservedDeviceName(const std::wstring& name) {
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

std::wstring Clean(const std::wstring& raw) {
    std::wstring name = Trim(CutAt(raw, kMaxFavoriteNameChars));
    for (wchar_t& c : name) {
        if (IsForbidden(c)) c = L'_';
    }
    if (!name.empty() && IsReservedDeviceName(name)) name = CutAt(L"_" + name, kMaxFavoriteNameChars);
    return name;
}

bool IsControlCharacter(wchar_t c) { return c < 0x20 || c == 0x7F; }
std::wstring EncodeControlCharacters(const std::wstring& url) { return PercentEncode(url, IsControlCharacter); }

}  // namespace

std::wstring FavoriteShortcutText(const std::wstring& url) {
    if (url.empty()) return {};
    const std::wstring address = EncodeControlCharacters(url);
    std::wstring text = L"[DEFAULT]\r\nBASEURL=" + address +
                        L"\r\n[{000214A0-0000-0000-C000-000000000046}]\r\n=19,2\r\n[InternetShortcut]\r\nURL=" +
                        address + L"\r\nIDList=\r\n";
    if (text.size() > kMaxShortcutChars) return {};
    return text;
}

std::wstring FavoriteFileName(const std::wstring& name, const std::wstring& title) {
    std::wstring chosen = Clean(name);
    if (chosen.empty()) chosen = Clean(title);
    if (chosen.empty()) chosen = kFavoriteFallbackName;
    return chosen;
}

std::wstring FavoritePath(const std::wstring& folder, const std::wstring& fileName) {
    static const std::wstring kExtension = L".url";
    const size_t fixed = folder.size() + 1 + kExtension.size();
    if (folder.empty() || fixed + 1 > kMaxFavoritePathChars) return {};
    std::wstring name = Trim(CutAt(fileName, kMaxFavoritePathChars - fixed));
    if (name.empty()) return {};
    return folder + L"\\" + name + kExtension;
}

bool IsAddFavoriteChar(std::uintptr_t character, std::intptr_t keyData) noexcept {
    constexpr unsigned kFirstPressOfD = 0x0020;
    return character == 4 && ((static_cast<std::uintptr_t>(keyData) >> 16) & 0xFFFF) == kFirstPressOfD;
}
