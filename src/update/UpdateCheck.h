// Whether the operator publishes another executable than this one, with the daily gate in
// the registry.
#pragma once
#include "update/UpdateRegistry.h"

#include <string>

// True when the version file names another build (any difference but letter case) and this
// executable has a key to compare. Forced: always asks. Not forced: only in the start modes
// that may update, and only when the gate says the check is due. The address read from
// the version file is kept for the download (UpdateAddress).
bool IsUpdateAvailable(bool force, int startMode = -1);
// The forced check that keeps nothing: for a thread that may still run while the process
// ends, when nothing process-wide may be assigned any more.
bool IsOtherBuildPublishedNow();

// The download address of the last version file read; empty until one was read.
std::wstring UpdateAddress();
// The version key the last version file announced.
std::wstring PublishedKey();

// This executable's version key; empty when it cannot be read.
std::wstring LocalVersionKey();
