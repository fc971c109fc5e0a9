// Coverage builds only (scripts/coverage): every Windows program writes its counts every two
// seconds, so what a process ran is counted even when a test ends it with TerminateProcess,
// which runs none of the exit handlers that write them otherwise. Each write adds what was
// counted since the last one.
//
// Each process writes under a folder of its own (QH_COVERAGE_RUNS\<pid>-<tick>), which
// scripts/coverage merges afterwards: processes ended in the middle of a write would leave a
// shared counts file corrupt, and under Wine libgcov's file lock does not keep another
// process out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

extern "C" void __gcov_dump(void);
extern "C" void __gcov_reset(void);

namespace {
void WriteUnderAFolderOfItsOwn() {
    char runs[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("QH_COVERAGE_RUNS", runs, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    static char setting[MAX_PATH + 64];  // _putenv keeps the string
    std::snprintf(setting, sizeof(setting), "GCOV_PREFIX=%s/%lu-%lu", runs, ::GetCurrentProcessId(),
                  ::GetTickCount());
    _putenv(setting);
}

DWORD WINAPI WriteCountsPeriodically(void*) {
    for (;;) {
        ::Sleep(2000);
        __gcov_dump();
        __gcov_reset();
    }
}

const bool g_started = [] {
    WriteUnderAFolderOfItsOwn();
    if (HANDLE thread = ::CreateThread(nullptr, 0, WriteCountsPeriodically, nullptr, 0, nullptr)) ::CloseHandle(thread);
    return true;
}();
}  // namespace
