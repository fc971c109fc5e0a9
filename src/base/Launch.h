// Starting further copies of the launcher: always at idle priority, shown normally, with no
// inherited handles.
#pragma once
#include "base/Handles.h"

#include <string>

// Starts the command line; returns the new process's handle (null on failure) and, when
// asked, its process id.
UniqueHandle StartLauncherProcess(const std::wstring& commandLine, DWORD* processId = nullptr);
// Starts a further copy of the executable (this one when path is empty or null).
void LaunchSelf(const wchar_t* path);
