// Writes a minidump beside the executable when an exception escapes every handler.
#pragma once
#include <windows.h>

// Installed as the process's unhandled-exception filter; 0 lets the system go on with its
// own crash handling, 1 ends the process at once (a crash after the dump was written).
LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception);
void WriteMiniDump(HANDLE file, EXCEPTION_POINTERS* exception);
void InstallCrashDumpFilter();
