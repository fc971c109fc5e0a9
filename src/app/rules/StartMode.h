// How a command line selects what this start of the executable does.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class StartMode {
    Install = 0,        // no switch, outside the install folder
    WebPortal = 1,      // "/webQuarnelD"
    ShortcutStart = 2,  // "/TovD"
    InstalledStart = 3, // no switch, inside the install folder
    Uninstall = 4,      // "/uninst"
    Update = 5,         // "/update"
    NewGameTab = 6,     // "/newgm /<host window> /<tab number>"
    GameHall = 7,       // "/gmhall /<host window>"
};

// The host window and tab number handed to a game process. A missing, overlong or
// non-numeric argument leaves hostWindow at 0 ("no host"): the process then ends itself
// instead of attaching to an arbitrary window.
struct HostArguments {
    std::uint32_t hostWindow = 0;
    std::int32_t tabNumber = 0;
};

// Upper-cases a path the way the platform compares file names.
using UpperCaser = std::function<std::wstring(const std::wstring&)>;

// args excludes the program name. installFolder is the per-user install folder
// ("...\Quarnel\GameLogin").
StartMode ClassifyStartMode(const std::vector<std::wstring>& args, const std::wstring& exePath,
                            const std::wstring& installFolder, const UpperCaser& upper);

// Reads the "/newgm" or "/gmhall" arguments; other modes give the empty result.
HostArguments ParseHostArguments(StartMode mode, const std::vector<std::wstring>& args);

// Case-insensitive comparison of ASCII switches (non-ASCII characters must match exactly).
bool EqualsIgnoreAsciiCase(const std::wstring& a, const std::wstring& b);

// The mode as the support log names it: "install", "webQuarnelD", "TovD", "installed",
// "uninst", "update", "newgm", "gmhall".
const wchar_t* StartModeName(StartMode mode);
