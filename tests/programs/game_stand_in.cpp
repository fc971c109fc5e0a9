// Plays a game process towards a running main window, in a process of its own so that a test
// can end it the hard way: sends the login record, and once accepted joins as a tab with a
// frame window, until the main window closes the frame or goes away.
// Arguments: the main window's handle in decimal, the login record. Exit code 0 after a
// close, 3 when the record was refused, 2 on bad arguments.
#include "support/Launcher.h"

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HWND main = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 10)));
    if (!::IsWindow(main)) return 2;
    if (SendLoginRecord(main, argv[2]) != 1) return 3;
    FakeGameFrame frame;
    frame.Register(main);
    frame.PlaceInGameArea(main);
    while (::IsWindow(main) && frame.SysCloses() == 0) PumpMessagesFor(100);
    return 0;
}
