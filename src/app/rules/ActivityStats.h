// The day arithmetic of the start statistics: how many days lie between the stored date of
// the previous start and today, and the counters a start in modes 2 and 3 reports.
#pragma once
#include <optional>
#include <string>

struct CivilDate {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
};

// "year/month/day" as stored ("%d/%d/%d"); nothing when the text holds no such date (no two
// distinct slashes, or numbers that form no date).
std::optional<CivilDate> ParseStoredDate(const std::wstring& text);
std::wstring FormatStoredDate(const CivilDate& date);

// Calendar days from `earlier` to `later` (negative when `earlier` lies after `later`).
long long DaysBetween(const CivilDate& earlier, const CivilDate& later);

// Leading decimal digits of a stored value; none give 0, too many saturate.
unsigned StoredUnsigned(const std::wstring& text);
// Adds one without wrapping to zero.
unsigned CountedUp(unsigned value);

struct ActivityCounters {
    int weekdays = 1;          // stored bit history, bit 0 = today
    unsigned keepdays = 1;     // stored streak of consecutive days
    long long apartdays = 0;   // reported gap (not stored)
    int startDaysInWeek = 1;   // reported: starts among the last seven days
};
// d: days since the previous start (0 when there was none).
ActivityCounters NextActivity(long long d, int storedWeekdays, unsigned storedKeepdays);
