// Bringing a launcher window above every other window, also while another program has the
// foreground (the system ignores a z-order change from a thread without input otherwise).
#pragma once
#include <windows.h>

// Raises hwnd to the top of the z-order without moving or sizing it; with activate it also
// becomes the foreground window. The window's thread shares the foreground thread's input
// state only for the moment it takes.
void RaiseAboveOthers(HWND hwnd, bool activate);
