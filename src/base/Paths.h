// File-system locations the launcher derives from its own executable and the user profile.
#pragma once
#include <string>

std::wstring GetExePath();          // full path of the running executable
std::wstring GetExeDirectory();     // its folder, without a trailing backslash
std::wstring GetLocalAppDataPath(); // the user's local application-data folder
std::wstring GetInstallFolder();
// Whether a file or folder is there (false for an empty path).
bool PathExists(const std::wstring& path);    // local application data + "\Quarnel\GameLogin"
// The shell's per-user folder (CSIDL_*, with CSIDL_FLAG_CREATE to have it made), without a
// trailing backslash; empty when it cannot be resolved.
std::wstring ShellFolder(int csidl);
