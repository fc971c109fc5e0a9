// Starting further copies of the launcher: always at idle priority, shown normally, with no
// inherited handles.
#pragma once
#include "framework/Handles.h"

#include <string>

// Starts the command line; returns the new process's handle (null on failure) and, when
// asked, its process id.
UniqueHandle StartLauncherProcess(const std::wstring& commandLine, DWORD* processId = nullptr);
