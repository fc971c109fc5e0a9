// The menu's forced check, off the GUI thread: that thread also runs the system-wide
// keyboard hook, and every key press on the desktop would wait while a slow server answers.
#pragma once
#include <windows.h>

// Starts the forced check on a worker thread, which posts message to window with wParam 1
// when another build is published and 0 otherwise. False, and nothing posted, while an
// earlier check is still running or when the thread could not start.
bool StartForcedUpdateCheck(HWND window, UINT message);
