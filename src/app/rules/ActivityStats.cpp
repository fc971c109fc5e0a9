#include "app/rules/ActivityStats.h"

#include <climits>

namespace {
// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Leading digits of text[from, to) as a number, like the C library's reading of "%d" text.
long long LeadingNumber(const std::wstring& text, size_t from, size_t to) {
    long long value = 0;
    for (size_t i = from; i < to && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > 100000) return value;  // no date has such a number
    }
    return value;
}
}  // namespace

std::optional<CivilDate> ParseStoredDate(const std::wstring& text) {
    const size_t first = text.find(L'/');
    const size_t last = text.rfind(L'/');
    if (first == std::wstring::npos || first == last) return std::nullopt;
    const long long year = LeadingNumber(text, 0, first);
    const long long month = LeadingNumber(text, first + 1, last);
    const long long day = LeadingNumber(text, last + 1, text.size());
    // A date the arithmetic cannot use counts as no date at all.
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
    if (day > DaysInMonth(static_cast<int>(year), static_cast<int>(month))) return std::nullopt;
    return CivilDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

std::wstring FormatStoredDate(const CivilDate& date) {
    return std::to_wstring(date.year) + L"/" + std::to_wstring(date.month) + L"/" + std::to_wstring(date.day);
}

long long DaysBetween(const CivilDate& earlier, const CivilDate& later) {
    return DaysFromCivil(later.year, static_cast<unsigned>(later.month), static_cast<unsigned>(later.day)) -
           DaysFromCivil(earlier.year, static_cast<unsigned>(earlier.month), static_cast<unsigned>(earlier.day));
}

unsigned StoredUnsigned(const std::wstring& text) {
    unsigned long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        value = value * 10 + static_cast<unsigned>(c - L'0');
        if (value > UINT_MAX) return UINT_MAX;
    }
    return static_cast<unsigned>(value);
}

unsigned CountedUp(unsigned value) { return value == UINT_MAX ? value : value + 1; }

ActivityCounters NextActivity(long long d, int storedWeekdays, unsigned storedKeepdays) {
    ActivityCounters next;
    // Bit history: shifted by the days gone by; nothing survives a week or a date ahead.
    const int history = storedWeekdays > 128 || storedWeekdays < 0 ? 0 : storedWeekdays;
    next.weekdays = (d >= 0 && d < 7) ? (((history << d) & 0x7E) | 1) : 1;
    next.startDaysInWeek = 0;
    for (int bits = next.weekdays; bits; bits >>= 1) next.startDaysInWeek += bits & 1;
    // Streak: today continues it, tomorrow adds to it, anything else starts anew.
    if (d == 0) {
        next.keepdays = storedKeepdays;
    } else if (d == 1) {
        next.keepdays = CountedUp(storedKeepdays);
    } else {
        next.keepdays = 1;
    }
    next.apartdays = (d == 0 || d == 1) ? 0 : d - 1;
    return next;
}
