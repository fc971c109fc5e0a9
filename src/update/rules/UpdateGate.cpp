#include "update/rules/UpdateGate.h"

bool GatedCheckAllowedInMode(int startMode) {
    switch (startMode) {
        case 0:  // install: the installer is not the installed client
        case 1:  // web portal
        case 4:  // uninstall
        case 6:  // a game tab's process
            return false;
        default:
            return true;
    }
}

bool IsWeekdayDisabled(std::uint32_t disableDays, int dayOfWeek) {
    if (disableDays == 0) return false;
    const auto d = static_cast<std::uint32_t>(dayOfWeek);
    return d == (disableDays & 0xFF) || d == ((disableDays >> 8) & 0xFF) || d == ((disableDays >> 16) & 0xFF);
}

bool IsCheckDueOn(const StoredTime& lastUpdate, const StoredTime& nowUtc, std::uint32_t disableDays) {
    if (lastUpdate.year == nowUtc.year && lastUpdate.month == nowUtc.month && lastUpdate.day == nowUtc.day)
        return false;
    return !IsWeekdayDisabled(disableDays, nowUtc.dayOfWeek);
}

std::uint32_t DisableDaysValue(unsigned m, int r1, int r2) {
    const std::uint32_t x = (static_cast<std::uint32_t>(r1) + 7u - m) % 7u;
    std::uint32_t y = (static_cast<std::uint32_t>(r2) + 7u - m) % 7u;
    std::uint32_t z = m % 7u;
    if (z == x) z = (z + 6u) % 7u;
    if (y == x) y = (y + 1u) % 7u;
    return z * 65536u + x * 256u + y;
}
