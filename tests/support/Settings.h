// The "[Tov]" settings files the tests prepare and read back: Statistic.ini beside an
// executable (hot keys, the notice's state) or in the install folder (usage counters).
#pragma once
#include <windows.h>

#include <string>

std::wstring SettingsBeside(const std::wstring& exe);
std::wstring ProductSettingsFile();  // beside the test build of the launcher

std::wstring StoredSetting(const std::wstring& ini, const wchar_t* key);  // "" when absent
// A null value removes the key.
void StoreSetting(const std::wstring& ini, const wchar_t* key, const wchar_t* value);

// Keeps a settings file as it was: put back at the end of the scope, or removed if there was
// none.
class SettingsFileKept {
public:
    explicit SettingsFileKept(std::wstring ini);
    ~SettingsFileKept();
    SettingsFileKept(const SettingsFileKept&) = delete;
    SettingsFileKept& operator=(const SettingsFileKept&) = delete;
    const std::wstring& Path() const noexcept { return m_ini; }

private:
    std::wstring m_ini;
    bool m_hadFile = false;
};
