// Linked into the test build only.
#include "app/TestCrash.h"

#include <windows.h>

#include <string>

void CrashIfTheTestAsks(StartMode mode) {
    wchar_t value[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"QH_TEST_CRASH", value, 16);
    if (length == 0 || length >= 16 || std::wstring(value) != std::to_wstring(static_cast<int>(mode))) return;
    *static_cast<volatile int*>(nullptr) = 0;
}
