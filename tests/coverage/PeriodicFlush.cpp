// Coverage builds only (scripts/coverage): every Windows program writes its counts every two
// seconds, so what a process ran is counted even when a test ends it with TerminateProcess,
// which runs none of the exit handlers that write them otherwise.
//
// Each write goes to a new folder of its own (QH_COVERAGE_RUNS\<pid>-<tick>-<n>) and holds
// what was counted since the previous one; scripts/coverage merges the folders afterwards. A
// process ended in the middle of a write then spoils only that write's files: under Wine
// libgcov's file lock does not keep another process out, and a file merged into over and
// over loses everything when one write of it is cut short.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

extern "C" void __gcov_dump(void);
extern "C" void __gcov_reset(void);

namespace {
char g_runs[MAX_PATH] = {};
DWORD g_started = 0;
int g_write = 0;

// The folder the next write goes to, whoever makes it (this thread, or the exit handlers).
void MoveToNextFolder() {
    static char setting[2][MAX_PATH + 64];  // _putenv keeps the string it is given
    char* next = setting[g_write % 2];
    std::snprintf(next, sizeof(setting[0]), "GCOV_PREFIX=%s/%lu-%lu-%d", g_runs, ::GetCurrentProcessId(), g_started,
                  g_write);
    ++g_write;
    _putenv(next);
}

DWORD WINAPI WriteCountsPeriodically(void*) {
    for (;;) {
        ::Sleep(2000);
        __gcov_dump();
        __gcov_reset();
        MoveToNextFolder();
    }
}

const bool g_writing = [] {
    const DWORD length = ::GetEnvironmentVariableA("QH_COVERAGE_RUNS", g_runs, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    g_started = ::GetTickCount();
    MoveToNextFolder();
    if (HANDLE thread = ::CreateThread(nullptr, 0, WriteCountsPeriodically, nullptr, 0, nullptr)) ::CloseHandle(thread);
    return true;
}();
}  // namespace
