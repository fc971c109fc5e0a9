#include "base/Paths.h"

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
    std::wstring path = GetExePath();
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring GetLocalAppDataPath() {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    return buffer;
}

std::wstring GetInstallFolder() {
    const std::wstring base = GetLocalAppDataPath();
    return base.empty() ? std::wstring() : base + L"\\Quarnel\\GameLogin";
}
