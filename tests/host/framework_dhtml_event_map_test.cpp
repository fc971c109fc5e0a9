// Which page-event entry takes a DOM event.
#include "framework/rules/DHtmlEventMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Entry {
    DHtmlSelector selector;
    int id;
};
const std::vector<Entry> kMap = {
    {{DHtmlSelectorKind::Class, L"button", dom_event::kMouseDown}, 1},
    {{DHtmlSelectorKind::Tag, L"body", dom_event::kMouseDown}, 2},
    {{DHtmlSelectorKind::Tag, L"div", dom_event::kMouseDown}, 3},
    {{DHtmlSelectorKind::Tag, L"div", dom_event::kMouseDown}, 4},  // never reached: the first wins
    {{DHtmlSelectorKind::Tag, L"div", dom_event::kContextMenu}, 5},
};

int Taken(long dispid, const wchar_t* className, const wchar_t* tag) {
    const Entry* entry = FirstMatchingEntry<Entry>(kMap, dispid, className, tag);
    return entry ? entry->id : 0;
}
}  // namespace

TEST(DHtmlEventMap, ClassEntriesComeBeforeTagEntries) {
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"button", L"DIV"), 1);
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"panel", L"DIV"), 3);
}

TEST(DHtmlEventMap, ClassIsExactTagIgnoresCase) {
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"Button", L"IMG"), 0);
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"button big", L"IMG"), 0);
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"", L"BODY"), 2);
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"", L"Body"), 2);
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"", L"bod"), 0);
    EXPECT_EQ(Taken(dom_event::kMouseDown, L"", L"bodyx"), 0);
}

TEST(DHtmlEventMap, EventMustMatchToo) {
    EXPECT_EQ(Taken(dom_event::kMouseUp, L"button", L"DIV"), 0);
    EXPECT_EQ(Taken(dom_event::kContextMenu, L"button", L"DIV"), 5);
    EXPECT_EQ(Taken(dom_event::kContextMenu, L"", L"SPAN"), 0);
}

TEST(DHtmlEventMap, EntryWithoutANameMatchesNothing) {
    const std::vector<Entry> map = {{{DHtmlSelectorKind::Class, nullptr, dom_event::kMouseDown}, 9}};
    EXPECT_EQ(FirstMatchingEntry<Entry>(map, dom_event::kMouseDown, L"", L""), nullptr);
}
