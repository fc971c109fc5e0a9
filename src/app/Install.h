// Installing into the per-user folder with shortcuts, and uninstalling with self-deletion.
#pragma once
#include "app/SelfDelete.h"

class LauncherApp;

// Copies this executable into the install folder, makes the shortcuts and starts the copy.
// False, after telling the user, when the copy could not be put in place.
bool InstallClient();
// Removes the update key and the shortcuts, reports, arranges the executable's deletion and
// tells the player; the deletion starts when the returned object lets it (or goes).
PendingSelfDeletion UninstallClient(LauncherApp& app);
