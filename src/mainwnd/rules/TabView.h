// How a tab shows its game: muted or not, and its page zoom, remembered per login record in a
// section of its own in the settings file, so that the account's tab gets them back when it
// opens again (in any window, after a restart).
#pragma once
#include "gameview/rules/PageZoom.h"

#include <string>

namespace tabs {

struct TabView {
    bool muted = false;
    zoom::Setting zoom;
    friend bool operator==(const TabView& a, const TabView& b) { return a.muted == b.muted && a.zoom == b.zoom; }
};

inline constexpr wchar_t kTabViewSection[] = L"TabView";

// The settings file's key for a record: any record gives a key of its own that the file can
// hold ("%", "=", ";", "[", "]", quotes, blanks and control characters escaped).
std::wstring TabViewKey(const std::wstring& record);
// "<0 or 1>,<zoom>": "1,125", "0,fit".
std::wstring TabViewValue(const TabView& view);
// A stored value; sound on at 100 % for anything damaged, out of range or missing.
TabView ParseTabView(const std::wstring& value);

}  // namespace tabs
