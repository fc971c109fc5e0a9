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
