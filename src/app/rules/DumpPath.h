// Where a crash dump is written: beside the executable, named after it with ".dmp".
#pragma once
#include <string>

// "C:\Game\x.exe" -> "C:\Game\x.dmp". Empty when the file name has no "." — a dot in a
// folder name must not send the dump into the parent folder under another name.
std::wstring DumpPathForExecutable(const std::wstring& exePath);
