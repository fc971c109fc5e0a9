#include "app/SelfDelete.h"

#include "app/rules/SelfDeleteScript.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/rules/PathParts.h"

#include <optional>
#include <vector>

namespace {
// The command interpreter reads a batch in the console's (OEM) code page, not the ANSI one:
// on a Western system "José" written in ANSI reads back as another name, and the batch would
// never find the file.
std::optional<std::string> InConsoleCodePage(const std::wstring& text) {
    const UINT codePage = ::GetOEMCP();
    // UTF-8 loses nothing, and refuses the question whether it did.
    BOOL lossy = FALSE;
    BOOL* askLossy = codePage == CP_UTF8 ? nullptr : &lossy;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = ::WideCharToMultiByte(codePage, flags, text.c_str(), -1, nullptr, 0, nullptr, askLossy);
    if (size <= 0 || lossy) return std::nullopt;
    std::string out(static_cast<size_t>(size), '\0');
    if (::WideCharToMultiByte(codePage, flags, text.c_str(), -1, out.data(), size, nullptr, askLossy) != size || lossy)
        return std::nullopt;
    out.resize(static_cast<size_t>(size) - 1);
    return out;
}

// The path as a batch line can carry it; its short form when a character has no place in the
// console's code page; nothing when neither works (short names may be turned off).
std::optional<std::string> BatchPath(const std::wstring& path) {
    if (auto direct = InConsoleCodePage(path)) return direct;
    std::vector<wchar_t> shortPath(32768);
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return std::nullopt;
    return InConsoleCodePage(std::wstring(shortPath.data(), length));
}

struct NewBatchFile {
    std::wstring path;
    UniqueFile file;
};

// A batch file made new in the temporary folder, never one that was there before: any program
// of the user can write that folder. Its name comes from a reserved ".tmp" name; the reserved
// names are deleted again once the batch exists, so that nothing is left behind.
std::optional<NewBatchFile> CreateBatchFile() {
    wchar_t folder[MAX_PATH] = {};
    if (!::GetTempPathW(MAX_PATH, folder)) return std::nullopt;
    std::vector<std::wstring> reserved;
    std::optional<NewBatchFile> made;
    for (int attempt = 0; attempt < 8 && !made; ++attempt) {
        wchar_t name[MAX_PATH] = {};
        if (!::GetTempFileNameW(folder, L"Del", 0, name)) break;
        reserved.emplace_back(name);
        const std::wstring& tmp = reserved.back();
        const std::wstring batch = tmp.substr(0, tmp.rfind(L'.')) + L".bat";
        UniqueFile file(::CreateFileW(batch.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) made = NewBatchFile{batch, std::move(file)};
    }
    for (const std::wstring& name : reserved) ::DeleteFileW(name.c_str());
    return made;
}

bool WriteAll(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The batch's process, suspended; empty (and no batch left) when it could not be made.
PROCESS_INFORMATION CreateSuspendedBatch(const std::wstring& exe, int rounds) {
    PROCESS_INFORMATION process{};
    const std::optional<std::string> exeLine = BatchPath(exe);
    if (!exeLine) return process;
    std::optional<NewBatchFile> batch = CreateBatchFile();
    if (!batch) return process;
    const std::optional<std::string> batchLine = BatchPath(batch->path);
    const std::optional<std::string> script =
        batchLine ? SelfDeleteScript(*exeLine, *batchLine, CountFiles(FolderOf(exe)) <= 1, rounds) : std::nullopt;
    const bool written = script && WriteAll(batch->file.Get(), *script);
    batch->file.Reset();
    if (!written) {
        ::DeleteFileW(batch->path.c_str());
        return process;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    std::wstring commandLine = L"\"" + batch->path + L"\"";
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &process)) {
        ::DeleteFileW(batch->path.c_str());
        return PROCESS_INFORMATION{};
    }
    ::SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
    return process;
}

// Needs the right to change the machine's pending file operations: an administrator's.
bool DeleteAtRestart(const std::wstring& exe) {
    if (!::MoveFileExW(exe.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
    const std::wstring folder = FolderOf(exe);
    // Done in the order given: the folder comes after the file, and goes only when empty.
    if (CountFiles(folder) <= 1) ::MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}
}  // namespace

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

PendingSelfDeletion PendingSelfDeletion::Arrange(const std::wstring& exe, int rounds) {
    if (exe.empty() || FolderOf(exe).empty()) return PendingSelfDeletion(SelfDeletion::None);
    const PROCESS_INFORMATION process = CreateSuspendedBatch(exe, rounds);
    if (process.hProcess) {
        PendingSelfDeletion pending(SelfDeletion::Batch);
        pending.m_process.Reset(process.hProcess);
        pending.m_thread.Reset(process.hThread);
        return pending;
    }
    return PendingSelfDeletion(DeleteAtRestart(exe) ? SelfDeletion::AtRestart : SelfDeletion::None);
}

UniqueHandle PendingSelfDeletion::Start() {
    if (!m_thread) return {};
    ::ResumeThread(m_thread.Get());
    m_thread.Reset();
    return std::move(m_process);
}

void DeleteSelf() { PendingSelfDeletion::Arrange(GetExePath()).Start(); }
