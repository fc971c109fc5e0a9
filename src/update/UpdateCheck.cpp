#include "update/UpdateCheck.h"

// Not built yet: the update check arrives with its own step; until then no update is due.
bool IsUpdateAvailable(bool) { return false; }
void WriteUpdTime() {}
void WriteDisableDays() {}
