// Each account's tab view (muted, zoom) in the settings file beside the executable, section
// "TabView", keyed by its login record.
#pragma once
#include "mainwnd/rules/TabView.h"

#include <string>

// What the record's tab was last; sound on at 100 % for a record never stored, an empty one,
// or a value that is damaged.
tabs::TabView LoadTabView(const std::wstring& record);
// False when the file could not be written: the memory is lost, nothing else.
bool StoreTabView(const std::wstring& record, const tabs::TabView& view);
