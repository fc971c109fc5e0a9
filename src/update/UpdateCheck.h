// Whether the operator publishes another executable than this one, with the daily gate in
// the registry.
#pragma once
#include "update/UpdateRegistry.h"
#include "update/rules/ReleaseStatement.h"

#include <optional>

#include <string>

// True when the version file names another build (any difference but letter case), this
// executable has a key to compare, and where the build carries a release key, the build's
// signature verifies and its version is newer than this one's. Forced: always asks. Not forced: only in the start modes
// that may update, and only when the gate says the check is due. The address read from
// the version file is kept for the download (UpdateAddress).
bool IsUpdateAvailable(bool force, int startMode = -1);
// The forced check that keeps nothing: for a thread that may still run while the process
// ends, when nothing process-wide may be assigned any more.
bool IsOtherBuildPublishedNow();

// The download address of the last version file read; empty until one was read, and where
// releases are signed, unless it offered a verified update.
std::wstring UpdateAddress();
// The version key the last version file announced.
std::wstring PublishedKey();
// What the verified signature of the last version file promises of the download; nothing
// when it had none that verified.
std::optional<ReleaseClaim> VerifiedRelease();

// This executable's version key; empty when it cannot be read.
std::wstring LocalVersionKey();
