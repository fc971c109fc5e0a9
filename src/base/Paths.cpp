#include "base/Paths.h"

#include "base/rules/PathParts.h"

#include <windows.h>
#include <shlobj.h>

std::wstring GetExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring GetExeDirectory() {
    return FolderOf(GetExePath());
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

bool PathExists(const std::wstring& path) {
    return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring GetLocalAppDataPath() { return ShellFolder(CSIDL_LOCAL_APPDATA); }

std::wstring GetInstallFolder() {
    const std::wstring base = GetLocalAppDataPath();
    return base.empty() ? std::wstring() : base + L"\\Quarnel\\GameLogin";
}
