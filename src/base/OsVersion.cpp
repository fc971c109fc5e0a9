#include "base/OsVersion.h"

#include "base/Handles.h"

const OSVERSIONINFOW& WindowsVersion() {
    static const OSVERSIONINFOW version = [] {
        OSVERSIONINFOW info{};
        static_assert(sizeof(info) == 276, "the size field the system expects");
        info.dwOSVersionInfoSize = sizeof(info);
        if (!::GetVersionExW(&info)) info.dwMajorVersion = 0;
        return info;
    }();
    return version;
}

bool IsUacEnabled() {
    if (!IsVistaOrLater()) return false;
    UniqueRegKey key;
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\", 0,
                        KEY_READ, &raw) != ERROR_SUCCESS) {
        return false;
    }
    key.Reset(raw);
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    return ::RegQueryValueExW(key.Get(), L"EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           size == sizeof(value) && value == 1;
}

bool RunsElevated() {
    if (!IsVistaOrLater()) return false;
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    const UniqueHandle token(raw);
    DWORD elevated = 0;  // TOKEN_ELEVATION
    DWORD size = 0;
    constexpr auto kTokenElevation = static_cast<TOKEN_INFORMATION_CLASS>(20);  // Vista's, unknown to XP's headers
    return ::GetTokenInformation(token.Get(), kTokenElevation, &elevated, sizeof(elevated), &size) && elevated != 0;
}
