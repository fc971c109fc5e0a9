#include "app/SelfDelete.h"

#include "app/rules/SelfDeleteScript.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/rules/PathParts.h"

#include <optional>
#include <vector>

namespace {
// The path in the batch interpreter's code page; its short form when a character has no
// place there (a batch line cannot carry it); nothing when neither works.
std::optional<std::string> AnsiPath(const std::wstring& path) {
    auto convert = [](const std::wstring& text) -> std::optional<std::string> {
        BOOL lossy = FALSE;
        const int size =
            ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
        if (size <= 0 || lossy) return std::nullopt;
        std::string out(static_cast<size_t>(size), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), size, nullptr, &lossy);
        out.resize(static_cast<size_t>(size) - 1);
        if (lossy) return std::nullopt;
        return out;
    };
    if (auto direct = convert(path)) return direct;
    std::vector<wchar_t> shortPath(32768);
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return std::nullopt;
    return convert(std::wstring(shortPath.data(), length));
}

std::wstring UniqueBatchPath() {
    wchar_t folder[MAX_PATH] = {};
    wchar_t name[MAX_PATH] = {};
    if (!::GetTempPathW(MAX_PATH, folder) || !::GetTempFileNameW(folder, L"DelSelf", 0, name)) return {};
    return std::wstring(name) + L".bat";
}
}  // namespace

long AppendTextToFile(const std::wstring& path, const std::string& text) {
    const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return -1;
    DWORD written = 0;
    if (::SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER ||
        !::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        return -1;  // the failing call's error stays the last error: closing keeps it
    }
    return static_cast<long>(written);
}

int CountFiles(const std::wstring& folder) {
    if (folder.empty()) return 0;
    const std::wstring prefix = folder.back() == L'\\' ? folder : folder + L"\\";
    WIN32_FIND_DATAW found{};
    const UniqueFileFind search(::FindFirstFileW((prefix + L"*").c_str(), &found));
    if (!search) return 1;
    int count = 0;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        // A linked folder is not walked: what it leads to is not ours to count.
        const bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                 !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        count += folderEntry ? CountFiles(prefix + name) : 1;
    } while (::FindNextFileW(search.Get(), &found));
    return count;
}

UniqueHandle StartDeleteBatch(const std::wstring& exe, int rounds) {
    const std::wstring batch = UniqueBatchPath();
    if (batch.empty() || exe.empty()) return {};
    const std::optional<std::string> exeAnsi = AnsiPath(exe);
    const std::optional<std::string> batchAnsi = AnsiPath(batch.substr(0, batch.size() - 4));
    if (!exeAnsi || !batchAnsi) return {};
    const std::wstring folder = FolderOf(exe);
    const std::optional<std::string> script =
        SelfDeleteScript(*exeAnsi, *batchAnsi + ".bat", CountFiles(folder) <= 1, rounds);
    if (!script || AppendTextToFile(batch, *script) < 0) return {};

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + batch + L"\"";
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return {};
    }
    UniqueHandle processHandle(process.hProcess);
    const UniqueHandle thread(process.hThread);
    ::SetThreadPriority(thread.Get(), THREAD_PRIORITY_IDLE);
    return processHandle;
}

void DeleteSelf() { StartDeleteBatch(GetExePath()); }
