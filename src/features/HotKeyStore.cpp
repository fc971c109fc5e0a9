#include "features/HotKeyStore.h"

#include "base/Messages.h"
#include "base/Paths.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {
const wchar_t kSection[] = L"Tov";
constexpr size_t kMainWindowLimit = 10;
}  // namespace

std::wstring LocalSettingsPath() { return GetExeDirectory() + L"\\Statistic.ini"; }

HotKey LoadHotKey(const wchar_t* iniKey, const wchar_t* defaultValue) {
    wchar_t value[32] = {};
    ::GetPrivateProfileStringW(kSection, iniKey, defaultValue, value, 32, LocalSettingsPath().c_str());
    return ParseHotKey(value);
}

HotKey LoadHotKey(HotKeyField field) {
    const HotKeySetting& setting = SettingOf(field);
    return LoadHotKey(setting.iniKey, setting.defaultValue);
}

HotKeySet LoadHotKeySet() {
    HotKeySet keys;
    for (HotKeyField field : {HotKeyField::Boss, HotKeyField::Switch, HotKeyField::Sound, HotKeyField::Shot}) {
        keys.Of(field) = LoadHotKey(field);
    }
    return keys;
}

bool SaveHotKey(HotKeyField field, const HotKey& key) {
    return ::WritePrivateProfileStringW(kSection, SettingOf(field).iniKey, HotKeyToStored(key).c_str(),
                                        LocalSettingsPath().c_str()) != FALSE;
}

int BroadcastHotKeyReload() {
    std::vector<HWND> mainWindows;
    for (HWND hwnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hwnd && mainWindows.size() < kMainWindowLimit;
         hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        wchar_t title[128] = {};
        ::GetClassNameW(hwnd, className, 64);
        ::GetWindowTextW(hwnd, title, 128);
        if (wcscmp(className, L"#32770") == 0 && wcscmp(title, L"QuarnelHalvira") == 0) mainWindows.push_back(hwnd);
    }
    for (HWND hwnd : mainWindows) ::PostMessageW(hwnd, WM_HOTKEYS_CHANGED, 0, 0);
    return static_cast<int>(mainWindows.size());
}
