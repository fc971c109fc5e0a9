#include "support/Settings.h"

#include "support/Process.h"

#include "base/rules/PathParts.h"

std::wstring SettingsBeside(const std::wstring& exe) { return FolderOf(exe) + L"\\Statistic.ini"; }

std::wstring ProductSettingsFile() { return SettingsBeside(ProductPath()); }

std::wstring StoredSetting(const std::wstring& ini, const wchar_t* key) {
    wchar_t text[1024] = {};
    ::GetPrivateProfileStringW(L"Tov", key, L"", text, 1024, ini.c_str());
    return text;
}

void StoreSetting(const std::wstring& ini, const wchar_t* key, const wchar_t* value) {
    ::WritePrivateProfileStringW(L"Tov", key, value, ini.c_str());
}

SettingsFileKept::SettingsFileKept(std::wstring ini) : m_ini(std::move(ini)) {
    m_hadFile = ::CopyFileW(m_ini.c_str(), (m_ini + L".kept").c_str(), FALSE) != FALSE;
}

SettingsFileKept::~SettingsFileKept() {
    if (m_hadFile) {
        ::MoveFileExW((m_ini + L".kept").c_str(), m_ini.c_str(), MOVEFILE_REPLACE_EXISTING);
    } else {
        ::DeleteFileW(m_ini.c_str());
    }
}
