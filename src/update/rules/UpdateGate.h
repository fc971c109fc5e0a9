// The daily gate of the start-up check: at most one check a UTC day after an update, none
// on the three weekdays drawn at install.
#pragma once
#include <cstdint>

// The platform's system-time record as the registry keeps it ("UpdTime", 16 bytes).
struct StoredTime {
    std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// The start modes whose gated check may run at all (shortcut, installed, update, game hall).
bool GatedCheckAllowedInMode(int startMode);

// "DisableDays": three weekday numbers in the low three bytes; 0 disables nothing.
bool IsWeekdayDisabled(std::uint32_t disableDays, int dayOfWeek);

// Due unless the last update was on today's UTC date or today's weekday is disabled.
bool IsCheckDueOn(const StoredTime& lastUpdate, const StoredTime& nowUtc, std::uint32_t disableDays);

// The "DisableDays" value drawn from the clock's milliseconds m and two successive values
// r1, r2 of the C runtime's generator. The sums are unsigned 32-bit before the remainder:
// a negative one wraps to a large value first, which is what installed clients hold.
std::uint32_t DisableDaysValue(unsigned m, int r1, int r2);
