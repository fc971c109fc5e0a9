#include "mainwnd/rules/TabView.h"

#include "base/rules/PercentEncode.h"

#include <cwchar>

namespace tabs {

namespace {
bool CannotStandInKey(wchar_t c) { return c <= 0x20 || c == 0x7F || std::wcschr(L"%=;[]\"'", c) != nullptr; }
}  // namespace

std::wstring TabViewKey(const std::wstring& record) { return PercentEncode(record, CannotStandInKey); }

std::wstring TabViewValue(const TabView& view) {
    return std::wstring(view.muted ? L"1" : L"0") + L"," + zoom::SettingText(view.zoom);
}

TabView ParseTabView(const std::wstring& value) {
    const size_t comma = value.find(L',');
    if (comma != 1 || (value[0] != L'0' && value[0] != L'1')) return TabView{};
    const std::optional<zoom::Setting> setting = zoom::ParseSetting(value.substr(2));
    if (!setting) return TabView{};
    return TabView{value[0] == L'1', *setting};
}

}  // namespace tabs
