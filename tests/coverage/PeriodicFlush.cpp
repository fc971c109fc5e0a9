// Coverage builds only (scripts/coverage): every Windows program writes its counts every two
// seconds, so what a process ran is counted even when a test ends it with TerminateProcess,
// which runs none of the exit handlers that write them otherwise. Each write adds what was
// counted since the last one.
#include <windows.h>

extern "C" void __gcov_dump(void);
extern "C" void __gcov_reset(void);

namespace {
DWORD WINAPI WriteCountsPeriodically(void*) {
    for (;;) {
        ::Sleep(2000);
        __gcov_dump();
        __gcov_reset();
    }
}

const bool g_started = [] {
    if (HANDLE thread = ::CreateThread(nullptr, 0, WriteCountsPeriodically, nullptr, 0, nullptr)) ::CloseHandle(thread);
    return true;
}();
}  // namespace
