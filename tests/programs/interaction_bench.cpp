// The launcher with three tabs, measured from outside:
//   interaction_bench <launcher> <idle seconds>  ->
//   "idle: begin", "idle: end" around the idle period (flushed, so a caller can read the
//   launcher's processor time from outside: Wine does not report another process's times),
//   then "boss_hide_ms=<x> boss_show_ms=<x> tab_switch_ms=<x>".
// Boss key: F10 pressed (real input, through the system-wide hook) until the window is
// hidden, and again until it shows. Tab switch: a click on another tab until that tab's frame
// shows. Each timed figure is the mean of five rounds. Exit codes: 2 arguments, 3 no window,
// 4 no tabs, 5 no answer to a key or click.
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LoginPage.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {
double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The launcher under measure: ended with everything it started when the bench gives up, or
// its processes would keep the caller's output pipe open.
DWORD g_launcher = 0;

// Milliseconds until the condition holds, polling every millisecond; the process ends with
// exit code 5 when it does not hold within 10 s.
template <class Condition>
double TimeUntil(double start, Condition condition) {
    while (!condition()) {
        if (Now() - start > 10000) {
            std::printf("no answer within 10 s\n");
            std::fflush(stdout);
            if (g_launcher) KillProcessTree(g_launcher);
            std::exit(5);
        }
        ::Sleep(1);
    }
    return Now() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const int idleSeconds = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    ChildProcess launcher;
    if (!launcher.Start(argv[1], L"/TovD")) return 3;
    g_launcher = launcher.Id();
    const HWND main = WaitForMainWindow(launcher.Id(), kPatienceMs);
    if (!main) return 3;
    // Its own first game process waits in a login page; three stand-ins log in instead.
    WaitUntil([&] { return !ChildProcessesOf(launcher.Id()).empty(); }, kPatienceMs);
    for (DWORD child : ChildProcessesOf(launcher.Id())) KillProcess(child);
    std::vector<std::unique_ptr<ChildProcess>> games;
    std::vector<HWND> frames;
    for (int i = 1; i <= 3; ++i) {
        auto game = std::make_unique<ChildProcess>();
        const std::wstring arguments = std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(main))) +
                                       L" bench-" + std::to_wstring(i);
        if (!game->Start(TestsDirectory() + L"\\game_stand_in.exe", arguments)) return 4;
        HWND frame = nullptr;
        if (!WaitUntil([&] { return (frame = FrameOf(game->Id(), main)) && ::IsWindowVisible(frame); },
                       kPatienceMs)) {
            return 4;
        }
        frames.push_back(frame);
        games.push_back(std::move(game));
    }
    PumpMessagesFor(2000);  // past the start-up work of the last tab

    std::printf("idle: begin\n");
    std::fflush(stdout);
    PumpMessagesFor(static_cast<DWORD>(idleSeconds) * 1000);
    std::printf("idle: end\n");
    std::fflush(stdout);

    double hideMs = 0, showMs = 0, switchMs = 0;
    constexpr int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        double start = Now();
        PressKeys({VK_F10}, Pacing::AtOnce);
        hideMs += TimeUntil(start, [&] { return !::IsWindowVisible(main); });
        PumpMessagesFor(200);
        start = Now();
        PressKeys({VK_F10}, Pacing::AtOnce);
        showMs += TimeUntil(start, [&] { return ::IsWindowVisible(main) != FALSE; });
        PumpMessagesFor(300);
    }
    // Tabs sit in the caption band from x = 120, 189 pixels each; the newest is current.
    RECT window{};
    ::GetWindowRect(main, &window);
    for (int round = 0; round < kRounds; ++round) {
        const int target = round % 2;  // first and second tab by turns; neither is current before
        const double start = Now();
        ClickAt(POINT{window.left + 120 + 189 * target + 90, window.top + 14}, Pacing::AtOnce);
        switchMs += TimeUntil(start, [&] { return ::IsWindowVisible(frames[target]) != FALSE; });
        PumpMessagesFor(300);
    }
    std::printf("boss_hide_ms=%.1f boss_show_ms=%.1f tab_switch_ms=%.1f\n", hideMs / kRounds, showMs / kRounds,
                switchMs / kRounds);
    for (auto& game : games) game->Kill();
    KillProcessTree(launcher.Id());
    return 0;
}
