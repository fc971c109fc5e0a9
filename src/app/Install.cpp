#include "app/Install.h"

#include "app/App.h"
#include "app/Statistics.h"

// Not built yet: install and uninstall arrive with their own step.
bool InstallClient() { return false; }

void UninstallClient(CBrindlow3App& app) { SendReport(L"", app); }
