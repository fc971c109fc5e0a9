// Starts a program and reports how long until its top-level "#32770" window titled
// "QuarnelHalvira" exists, and its private memory a moment later:
//   startup_bench <program> [arguments]  ->  "ms=<n> private_kb=<n>"
// or how long until a process it started shows the login window with its page loaded (the
// test build's scripted page), what the player waits for:
//   startup_bench --login-page <program> [arguments]  ->  "login_ms=<n>"
#include "support/Launcher.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "support/LoginPage.h"

#include <psapi.h>

#include <cstdio>

namespace {
HWND MainWindowOf(DWORD pid) {
    for (HWND hwnd : TopLevelWindowsOf(pid)) {
        if (ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira") return hwnd;
    }
    return nullptr;
}

// The login window's page once its first navigation has completed.
HWND LoginPageOfChildren(DWORD pid) {
    static const UINT query = ::RegisterWindowMessageW(kScriptedBrowserQueryMessage);
    for (DWORD child : ChildProcessesOf(pid)) {
        HWND page = FindLoginPage(child);
        if (page && ::SendMessageW(page, query, kQueryCompletedNavigations, 0) >= 1) return page;
    }
    return nullptr;
}

void EndTree(ChildProcess& program) {
    for (DWORD child : ChildProcessesOf(program.Id())) KillProcess(child);
    program.Kill();
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool toLoginPage = argc > 1 && std::wstring(argv[1]) == L"--login-page";
    const int first = toLoginPage ? 2 : 1;
    if (argc <= first) return 2;
    std::wstring arguments;
    for (int i = first + 1; i < argc; ++i) arguments += (i > first + 1 ? L" " : L"") + std::wstring(argv[i]);
    LARGE_INTEGER frequency, start, shown;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    ChildProcess program;
    if (!program.Start(argv[first], arguments)) return 3;
    HWND window = nullptr;
    const DWORD begun = ::GetTickCount();
    const DWORD kLimitMs = 60000;  // a run that never shows what it waits for ends as a failure
    while (!window && ::WaitForSingleObject(program.Handle(), 0) == WAIT_TIMEOUT && ::GetTickCount() - begun < kLimitMs) {
        window = toLoginPage ? LoginPageOfChildren(program.Id()) : MainWindowOf(program.Id());
        if (!window) ::Sleep(1);
    }
    ::QueryPerformanceCounter(&shown);
    if (!window) {
        EndTree(program);
        return 4;
    }
    const double ms = 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (toLoginPage) {
        std::printf("login_ms=%.1f\n", ms);
        EndTree(program);
        return 0;
    }
    PumpMessagesFor(1000);  // let it settle before reading its memory
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(program.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    // Some systems (Wine among them) leave PrivateUsage at 0 for another process; the commit
    // charge is the same figure there.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    std::printf("ms=%.1f private_kb=%lu\n", ms, static_cast<unsigned long>(privateBytes / 1024));
    EndTree(program);  // the measured program and whatever it started
    return 0;
}
