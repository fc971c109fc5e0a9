#include "base/rules/PercentEncode.h"

std::wstring PercentEncode(const std::wstring& text, bool (*mustEncode)(wchar_t)) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (mustEncode(c)) {
            out += L'%';
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}
