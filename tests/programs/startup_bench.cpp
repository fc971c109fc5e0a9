// Starts a program and reports how long until its top-level "#32770" window titled
// "QuarnelHalvira" exists, and its private memory a moment later:
//   startup_bench <program> [arguments]  ->  "ms=<n> private_kb=<n>"
#include "support/Launcher.h"

#include <psapi.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::wstring arguments;
    for (int i = 2; i < argc; ++i) arguments += (i > 2 ? L" " : L"") + std::wstring(argv[i]);
    LARGE_INTEGER frequency, start, shown;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    ChildProcess program;
    if (!program.Start(argv[1], arguments)) return 3;
    HWND window = nullptr;
    while (!window && ::WaitForSingleObject(program.Handle(), 0) == WAIT_TIMEOUT) {
        for (HWND hwnd : TopLevelWindowsOf(program.Id())) {
            if (ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira") window = hwnd;
        }
        if (!window) ::Sleep(1);
    }
    ::QueryPerformanceCounter(&shown);
    if (!window) return 4;
    PumpMessagesFor(1000);  // let it settle before reading its memory
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(program.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    const double ms = 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    // Some systems (Wine among them) leave PrivateUsage at 0 for another process; the commit
    // charge is the same figure there.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    std::printf("ms=%.1f private_kb=%lu\n", ms, static_cast<unsigned long>(privateBytes / 1024));
    // End the measured program and whatever it started.
    for (DWORD child : ChildProcessesOf(program.Id())) KillProcess(child);
    program.Kill();
    return 0;
}
