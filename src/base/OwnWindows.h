// Finding this process's own top-level windows. Windows of other processes on the desktop
// (another program's browser dialogs, say) are not ours to close.
#pragma once
#include <windows.h>

#include <vector>

// The top-level windows of this process whose class is exactly className, in z-order.
std::vector<HWND> OwnTopLevelWindows(const wchar_t* className);
