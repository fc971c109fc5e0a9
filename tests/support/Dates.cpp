#include "support/Dates.h"

SYSTEMTIME ShiftDays(const SYSTEMTIME& time, int days) {
    FILETIME ft{};
    ::SystemTimeToFileTime(&time, &ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    const long long step = 24ll * 60 * 60 * 10000000;
    t.QuadPart = static_cast<ULONGLONG>(static_cast<long long>(t.QuadPart) + days * step);
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME shifted{};
    ::FileTimeToSystemTime(&ft, &shifted);
    return shifted;
}
