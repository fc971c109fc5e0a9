// Installing into the per-user folder with shortcuts, and uninstalling with self-deletion.
#pragma once

class CBrindlow3App;

// Copies this executable into the install folder, makes the shortcuts and starts the copy.
// False, after telling the user, when the copy could not be put in place.
bool InstallClient();
void UninstallClient(CBrindlow3App& app);
