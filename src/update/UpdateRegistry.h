// The update's registry values under HKEY_LOCAL_MACHINE\Software\Quarnel\GameLogin\Tov:
// "UpdTime" (the UTC time of the last update) and "DisableDays" (three skipped weekdays).
// The key is created when missing, for reading as for writing.
#pragma once

inline constexpr wchar_t kUpdateRegistryKey[] = L"Software\\Quarnel\\GameLogin\\Tov";

// Whether the gated check should run today (UTC); false when the key cannot be opened.
bool IsCheckDue();
// Whether the weekday (0 = Sunday) is one of the three stored in "DisableDays".
bool IsDisabledWeekday(int dayOfWeek);
// Records the current UTC time as the last update.
bool WriteUpdTime();
// Draws and stores the three skipped weekdays (once, at install).
bool WriteDisableDays();
