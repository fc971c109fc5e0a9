// A crash on request, for the tests that prove every start mode leaves one crash dump. Only
// the test build can be asked; the others link a version that does nothing.
#pragma once
#include "app/rules/StartMode.h"

// In the test build: crashes (an access violation) when the environment variable
// QH_TEST_CRASH holds this start mode's number.
void CrashIfTheTestAsks(StartMode mode);
