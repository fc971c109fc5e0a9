// Splitting a Windows path at its last backslash.
#pragma once
#include <string>

// The folder part, without the backslash; empty when the path has none.
std::wstring FolderOf(const std::wstring& path);
// The part after the last backslash; the whole path when it has none.
std::wstring FileNameOf(const std::wstring& path);
