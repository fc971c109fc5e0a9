// Installing into the per-user folder with shortcuts, and uninstalling with self-deletion.
#pragma once

class CBrindlow3App;

bool InstallClient();
void UninstallClient(CBrindlow3App& app);
