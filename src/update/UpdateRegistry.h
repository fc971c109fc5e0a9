// The update's registry values under HKEY_CURRENT_USER\Software\Quarnel\GameLogin\Tov:
// "UpdTime" (the UTC time of the last update) and "DisableDays" (three skipped weekdays).
// The key is created when missing, for reading as for writing. It belongs to the player, like
// everything else of the launcher: nothing it does needs more than the player's own rights.
#pragma once
#include <windows.h>

inline constexpr wchar_t kUpdateRegistryKey[] = L"Software\\Quarnel\\GameLogin\\Tov";
// Where the key lives; earlier builds, which ran as administrator, kept it machine-wide.
inline const HKEY kUpdateRegistryRoot = HKEY_CURRENT_USER;
inline const HKEY kOldUpdateRegistryRoot = HKEY_LOCAL_MACHINE;

// Whether the gated check should run today (UTC); false when the key cannot be opened.
bool IsCheckDue();
// Records the current UTC time as the last update.
bool WriteUpdTime();
// Draws and stores the three skipped weekdays (once, at install).
bool WriteDisableDays();
// Removes the key (uninstall), and the machine-wide one of earlier builds where this user may:
// that one only holds a date, so it silently stays where it may not.
bool DeleteUpdateRegistry();
