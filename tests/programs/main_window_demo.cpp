// Shows the main window with three logged-in tabs, the mouse resting on the second one so
// its tooltip shows (scripts/screenshots). This program plays the three game processes.
#include "support/Launcher.h"

#include <memory>

// argv[1]: a file to create once the tooltip should be showing, so a screenshot can be taken.
int wmain(int argc, wchar_t** argv) {
    ChildProcess launcher;
    if (!launcher.Start(ProductPath(), L"/TovD")) return 1;
    HWND main = WaitForMainWindow(launcher.Id(), 20000);
    if (!main) return 2;
    for (int i = 0; i < 100 && ChildProcessesOf(launcher.Id()).empty(); ++i) PumpMessagesFor(50);
    for (DWORD child : ChildProcessesOf(launcher.Id())) KillProcess(child);

    std::vector<std::unique_ptr<FakeGameFrame>> frames;
    for (const wchar_t* record : {L"双线1服-alice", L"《QuarnelHalvira》网通4服-苍穹之翼的守护者", L"电信3服-bob"}) {
        SendLoginRecord(main, record);
        frames.push_back(std::make_unique<FakeGameFrame>());
        frames.back()->Register(main);
        PumpMessagesFor(400);
        frames.back()->PlaceInGameArea(main);
    }
    // Rest the mouse on the second tab.
    RECT client = ClientRectOnScreen(main);
    const int x = client.left + 120 + 189 + 90;
    const int y = client.top + 12;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    for (int i = 0; i < 3; ++i) {
        ::SendInput(1, &input, sizeof(input));
        PumpMessagesFor(300);
        input.mi.dx += 40 * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    }
    PumpMessagesFor(1500);  // the tooltip's initial delay
    if (argc > 1) {
        UniqueFile ready(::CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    PumpMessagesFor(60000);
    return 0;
}
