// Downloads the published executable with progress and swaps it in place of this one.
#pragma once
#include "update/rules/ReleaseStatement.h"

#include <optional>
#include <string>

// True when the download completed, carries the digest the version key announces (and the
// length and SHA-256 of the verified release where releases are signed; without a verified
// release such a build downloads nothing), and was moved into place. The running executable becomes "OldTov.exe" (deleted at the next
// restart); on any failure the original name still holds a runnable executable.
bool DownloadAndSwap();

// The swap alone, for the given files: the download's result, the key it must match, and what
// a verified release promises of it.
bool SwapDownloadedExecutable(const std::wstring& exePath, const std::wstring& newPath, const std::wstring& oldPath,
                              bool downloaded, const std::wstring& publishedKey,
                              const std::optional<ReleaseClaim>& release = std::nullopt);
