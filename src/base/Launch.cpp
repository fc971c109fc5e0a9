#include "base/Launch.h"

#include "base/Paths.h"

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

void LaunchSelf(const wchar_t* path) {
    // Quoted, so a path with blanks cannot be taken for a shorter program path.
    StartLauncherProcess(L"\"" + ((path && *path) ? std::wstring(path) : GetExePath()) + L"\"");
}
