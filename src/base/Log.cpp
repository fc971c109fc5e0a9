#include "base/Log.h"

#include "base/Handles.h"
#include "base/Paths.h"
#include "base/rules/LogLine.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {
// Long enough for a busy disk, short enough that no window notices.
constexpr DWORD kLockWaitMs = 200;

// A plain buffer: a thread may still log while the process's objects are being destroyed.
wchar_t g_mode[16] = {};

// One lock for all the launcher's processes of this session; made once per process and kept.
HANDLE Lock() {
    static const HANDLE lock = ::CreateMutexW(nullptr, FALSE, L"Local\\QuarnelHalvira.SupportLog");
    return lock;
}

std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

UniqueFile OpenForAppend(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void Append(const std::string& line) {
    const std::wstring path = LogFilePath();
    UniqueFile file = OpenForAppend(path);
    if (!file) return;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.Get(), &size) && LogNeedsRotation(static_cast<std::uint64_t>(size.QuadPart), line.size())) {
        file.Reset();
        ::MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
        file = OpenForAppend(path);
        if (!file) return;
    }
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
}  // namespace

std::wstring LogFilePath() { return GetExeDirectory() + L"\\QuarnelHalvira.log"; }

void SetLogStartMode(const std::wstring& mode) { ::lstrcpynW(g_mode, mode.c_str(), 16); }

void Log(const std::wstring& event) {
    const DWORD error = ::GetLastError();  // callers log after a failure and may still read it
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const LogStamp stamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    const std::string line = Utf8(LogLine(stamp, ::GetCurrentProcessId(), g_mode, event));
    HANDLE lock = Lock();
    if (!lock) {
        Append(line);  // no lock to be had: the line rather than nothing
    } else if (const DWORD waited = ::WaitForSingleObject(lock, kLockWaitMs);
               waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        Append(line);
        ::ReleaseMutex(lock);
    }
    ::SetLastError(error);
}

void ShowLogInExplorer() {
    const std::wstring path = LogFilePath();
    // A path of the executable's folder holds no quote: Explorer reads it as one argument.
    const std::wstring arguments = PathExists(path) ? L"/select,\"" + path + L"\"" : L"\"" + GetExeDirectory() + L"\"";
    ::ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
}
