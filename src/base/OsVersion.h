// What the launcher needs to know about the Windows it runs on, read in one place.
#pragma once
#include <windows.h>

// The version record (the wide form, whose size field is 276), read once per process.
const OSVERSIONINFOW& WindowsVersion();
// Vista and later: the sound and UAC behaviour of Windows 6 and above.
inline bool IsVistaOrLater() { return WindowsVersion().dwMajorVersion >= 6; }
// True when user-account control is switched on (never on XP and older).
bool IsUacEnabled();
// Whether this process runs elevated (its token's elevation, from Vista on); false before.
bool RunsElevated();
