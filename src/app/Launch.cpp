#include "app/Launch.h"

UniqueHandle StartLauncherProcess(const std::wstring& commandLine, DWORD* processId) {
    std::wstring mutableLine = commandLine;  // the system may write into it
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, IDLE_PRIORITY_CLASS, nullptr, nullptr,
                          &si, &pi)) {
        return UniqueHandle();
    }
    ::CloseHandle(pi.hThread);
    if (processId) *processId = pi.dwProcessId;
    return UniqueHandle(pi.hProcess);
}
