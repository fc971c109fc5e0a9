// Linked into the production and dev builds: nobody can make them crash on request.
#include "app/TestCrash.h"

void CrashIfTheTestAsks(StartMode) {}
