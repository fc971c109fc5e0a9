#include "mainwnd/TabViewStore.h"

#include "features/HotKeyStore.h"

#include <windows.h>

tabs::TabView LoadTabView(const std::wstring& record) {
    if (record.empty()) return tabs::TabView{};
    wchar_t value[32] = {};
    ::GetPrivateProfileStringW(tabs::kTabViewSection, tabs::TabViewKey(record).c_str(), L"", value, 32,
                               LocalSettingsPath().c_str());
    return tabs::ParseTabView(value);
}

bool StoreTabView(const std::wstring& record, const tabs::TabView& view) {
    if (record.empty()) return false;
    return ::WritePrivateProfileStringW(tabs::kTabViewSection, tabs::TabViewKey(record).c_str(),
                                        tabs::TabViewValue(view).c_str(), LocalSettingsPath().c_str()) != FALSE;
}
