// File-system locations the launcher derives from its own executable and the user profile.
#pragma once
#include <string>

std::wstring GetExePath();          // full path of the running executable
std::wstring GetExeDirectory();     // its folder, without a trailing backslash
std::wstring GetLocalAppDataPath(); // the user's local application-data folder
std::wstring GetInstallFolder();    // local application data + "\Quarnel\GameLogin"
