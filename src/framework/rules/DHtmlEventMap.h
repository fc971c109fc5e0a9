// Which entry of an HTML dialog's page-event map takes a DOM event: the first whose event
// matches and whose selector matches the event's source element (the element itself, never
// an ancestor). A class selector compares the element's class name exactly; a tag selector
// compares its tag name ignoring case.
#pragma once
#include <string_view>

enum class DHtmlSelectorKind { Class, Tag };

struct DHtmlSelector {
    DHtmlSelectorKind kind;
    const wchar_t* name;
    long dispid;
};

bool SelectorMatches(const DHtmlSelector& selector, long dispid, std::wstring_view className,
                     std::wstring_view tagName);

// Entry: any type with a `selector` member. Null when no entry takes the event.
template <class Entry, class Entries>
const Entry* FirstMatchingEntry(const Entries& entries, long dispid, std::wstring_view className,
                                std::wstring_view tagName) {
    for (const Entry& entry : entries) {
        if (SelectorMatches(entry.selector, dispid, className, tagName)) return &entry;
    }
    return nullptr;
}

// DOM event ids (HTMLDocumentEvents2 members) the launcher's pages use.
namespace dom_event {
inline constexpr long kMouseOut = static_cast<long>(0x80010009);
inline constexpr long kMouseOver = static_cast<long>(0x80010008);
inline constexpr long kMouseDown = -605;
inline constexpr long kMouseUp = -607;
inline constexpr long kMouseMove = -606;
inline constexpr long kContextMenu = 1023;
}  // namespace dom_event
