#include "framework/rules/DHtmlEventMap.h"

namespace {
wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}
}  // namespace

bool SelectorMatches(const DHtmlSelector& selector, long dispid, std::wstring_view className,
                     std::wstring_view tagName) {
    if (selector.dispid != dispid || !selector.name) return false;
    if (selector.kind == DHtmlSelectorKind::Class) return className == selector.name;
    return EqualsIgnoringCase(tagName, selector.name);
}
