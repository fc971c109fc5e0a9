#include "update/UpdateRegistry.h"

#include "base/Log.h"
#include "base/Handles.h"
#include "update/rules/UpdateGate.h"

#include <shlwapi.h>

#include <cstdlib>
#include <cstring>

namespace {
UniqueRegKey OpenUpdateKey(REGSAM access) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(kUpdateRegistryRoot, kUpdateRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return UniqueRegKey();
    return UniqueRegKey(key);
}

// A missing or shorter value leaves the zeroes.
void ReadBinary(HKEY key, const wchar_t* name, void* data, DWORD size) {
    DWORD got = size;
    ::RegQueryValueExW(key, name, nullptr, nullptr, static_cast<BYTE*>(data), &got);
}

StoredTime FromSystemTime(const SYSTEMTIME& t) {
    StoredTime s;
    s.year = t.wYear;
    s.month = t.wMonth;
    s.dayOfWeek = t.wDayOfWeek;
    s.day = t.wDay;
    s.hour = t.wHour;
    s.minute = t.wMinute;
    s.second = t.wSecond;
    s.milliseconds = t.wMilliseconds;
    return s;
}

std::uint32_t ReadDisableDays(HKEY key) {
    std::uint32_t value = 0;
    ReadBinary(key, L"DisableDays", &value, sizeof(value));
    return value;
}
}  // namespace

bool IsCheckDue() {
    const UniqueRegKey key = OpenUpdateKey(KEY_READ);
    if (!key) return false;
    SYSTEMTIME stored{};
    static_assert(sizeof(stored) == 16, "UpdTime is the 16-byte system-time record");
    ReadBinary(key.Get(), L"UpdTime", &stored, sizeof(stored));
    const std::uint32_t disableDays = ReadDisableDays(key.Get());
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    return IsCheckDueOn(FromSystemTime(stored), FromSystemTime(now), disableDays);
}

bool WriteUpdTime() {
    const UniqueRegKey key = OpenUpdateKey(KEY_WRITE);
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const bool written = key && ::RegSetValueExW(key.Get(), L"UpdTime", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&now),
                                                 sizeof(now)) == ERROR_SUCCESS;
    if (!written) Log(L"the update key's UpdTime could not be written");
    return written;
}

bool WriteDisableDays() {
    const UniqueRegKey key = OpenUpdateKey(KEY_WRITE);
    if (!key) return false;
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    // The runtime's generator, never seeded: every install draws from the same sequence.
    const int r1 = std::rand();
    const int r2 = std::rand();
    const std::uint32_t value = DisableDaysValue(now.wMilliseconds, r1, r2);
    BYTE bytes[4];
    std::memcpy(bytes, &value, sizeof(bytes));  // little-endian: y, x, z, 0
    return ::RegSetValueExW(key.Get(), L"DisableDays", 0, REG_BINARY, bytes, sizeof(bytes)) == ERROR_SUCCESS;
}

bool DeleteUpdateRegistry() {
    const LSTATUS own = ::SHDeleteKeyW(kUpdateRegistryRoot, kUpdateRegistryKey);
    ::SHDeleteKeyW(kOldUpdateRegistryRoot, kUpdateRegistryKey);
    return own == ERROR_SUCCESS || own == ERROR_FILE_NOT_FOUND;
}
