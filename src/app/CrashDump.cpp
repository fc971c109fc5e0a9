#include "app/CrashDump.h"

#include "base/Log.h"
#include "app/rules/DumpPath.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/SystemLibrary.h"

#include <dbghelp.h>

namespace {
// One dump per process: a crash while writing it, or any later one, must not write again.
volatile LONG g_bDumpWritten = 0;

using MiniDumpWriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                          PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

// Richest first; older DbgHelp versions reject the newer flags.
const DWORD kDumpKinds[] = {0x1A25, 0x225, 0};
std::wstring HexCode(const EXCEPTION_POINTERS* exception) {
    wchar_t hex[16] = {};
    ::wsprintfW(hex, L"%08X", exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0u);
    return hex;
}
}  // namespace

void WriteMiniDump(HANDLE file, EXCEPTION_POINTERS* exception) {
    // Loaded at crash time so a missing or old DbgHelp cannot stop the program starting, and
    // never from the executable's own folder.
    UniqueLibrary dbghelp(LoadSystemLibrary(L"dbghelp.dll"));
    if (!dbghelp) return;
    const auto writeDump = LibraryFunction<MiniDumpWriteDumpFn>(dbghelp.Get(), "MiniDumpWriteDump");
    if (!writeDump) return;

    MINIDUMP_EXCEPTION_INFORMATION info{};
    info.ThreadId = ::GetCurrentThreadId();
    info.ExceptionPointers = exception;
    info.ClientPointers = TRUE;
    for (DWORD kind : kDumpKinds) {
        if (writeDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file, static_cast<MINIDUMP_TYPE>(kind), &info,
                      nullptr, nullptr)) {
            return;
        }
    }
}

LONG WINAPI CrashDumpFilter(EXCEPTION_POINTERS* exception) {
    if (g_bDumpWritten) return EXCEPTION_EXECUTE_HANDLER;

    const std::wstring dumpPath = DumpPathForExecutable(GetExePath());
    if (dumpPath.empty()) return EXCEPTION_CONTINUE_SEARCH;

    {
        UniqueFile file(::CreateFileW(dumpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        WriteMiniDump(file.Get(), exception);
    }
    g_bDumpWritten = 1;
    Log(L"crashed (exception 0x" + HexCode(exception) + L"); dump written: " + dumpPath);
    return EXCEPTION_CONTINUE_SEARCH;
}

void InstallCrashDumpFilter() { ::SetUnhandledExceptionFilter(&CrashDumpFilter); }
