// The desktop and start-menu shortcuts of the installed client.
#pragma once
#include <string>

// A shell link to target (its first icon, its folder as working directory) saved at linkPath.
bool CreateShellLink(const std::wstring& target, const wchar_t* description, const std::wstring& linkPath,
                     const std::wstring& arguments);
// "QuarnelHalvira" on the desktop, "/TovD"; an older layout's link is deleted first.
bool CreateDesktopShortcut(const std::wstring& target);
// <programs>\Quarnel登录器\<name>.lnk
bool CreateProgramsShortcut(const std::wstring& arguments, const std::wstring& target, const std::wstring& name);
bool DeleteDesktopShortcut(const std::wstring& name);
bool DeleteProgramsShortcut(const std::wstring& name);
// Every shortcut an install made (and an older desktop one), and the start-menu folder once
// it holds no file.
bool RemoveShortcuts();

inline constexpr wchar_t kProgramsFolderName[] = L"Quarnel登录器";
