#include "features/CacheClean.h"

#include "base/Handles.h"
#include "base/Paths.h"

#include <shlobj.h>
#include <wininet.h>

#include <vector>

namespace {
constexpr DWORD kCookieEntry = 0x00100000;  // COOKIE_CACHE_ENTRY

std::wstring WithBackslash(std::wstring path) {
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path;
}

// Walks the whole URL cache. Each entry is fetched into a buffer grown to the size the
// cache asks for.
class UrlCacheWalk {
public:
    UrlCacheWalk() = default;
    ~UrlCacheWalk() {
        if (m_handle) ::FindCloseUrlCache(m_handle);  // the cache's own find handle
    }
    UrlCacheWalk(const UrlCacheWalk&) = delete;
    UrlCacheWalk& operator=(const UrlCacheWalk&) = delete;

    // The next entry, or null at the end (or on an error).
    const INTERNET_CACHE_ENTRY_INFOW* Next() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            DWORD size = static_cast<DWORD>(m_buffer.size());
            auto* entry = m_buffer.empty() ? nullptr : reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(m_buffer.data());
            bool ok = false;
            if (!m_handle) {
                m_handle = ::FindFirstUrlCacheEntryW(nullptr, entry, &size);
                ok = m_handle != nullptr;
            } else {
                ok = ::FindNextUrlCacheEntryW(m_handle, entry, &size) != FALSE;
            }
            if (ok) return m_buffer.size() >= sizeof(INTERNET_CACHE_ENTRY_INFOW) ? entry : nullptr;
            if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return nullptr;
            m_buffer.assign(static_cast<size_t>(size) + sizeof(INTERNET_CACHE_ENTRY_INFOW), 0);
        }
        return nullptr;
    }

private:
    HANDLE m_handle = nullptr;
    std::vector<unsigned char> m_buffer;
};
}  // namespace

int SetIeCacheLimit() {
    // The key is not created: a profile without it keeps the browser's own limit.
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Content", 0,
                        KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) {
        return 0;
    }
    const UniqueRegKey key(raw);
    const DWORD limit = 0x100000;
    return ::RegSetValueExW(key.Get(), L"CacheLimit", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&limit),
                            sizeof(limit)) == ERROR_SUCCESS
               ? 1
               : 0;
}

namespace {
// Deletes what the folder holds; false when the folder cannot be searched. `fileError` is the
// last file deletion error (ERROR_SUCCESS when none failed). The search is closed on return,
// before anyone removes the folder itself.
bool DeleteContents(const std::wstring& folder, DWORD& fileError) {
    WIN32_FIND_DATAW found{};
    const UniqueFileFind search(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return false;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring item = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteDirectoryTree(item);
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
            ::SetFileAttributesW(item.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        }
        if (!::DeleteFileW(item.c_str())) fileError = ::GetLastError();
    } while (::FindNextFileW(search.Get(), &found));
    return true;
}
}  // namespace

int DeleteDirectoryTree(const std::wstring& path) {
    if (path.empty()) return 0;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    // A link to a folder goes as a link; following it would empty a folder elsewhere.
    // (Some systems take a folder link away only as a file.)
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return ::RemoveDirectoryW(path.c_str()) || ::DeleteFileW(path.c_str()) ? 1 : 0;
    }
    DWORD fileError = ERROR_SUCCESS;
    if (!DeleteContents(WithBackslash(path), fileError)) return ::RemoveDirectoryW(path.c_str()) ? 1 : 0;
    const bool removed = ::RemoveDirectoryW(path.c_str()) != FALSE;
    const DWORD removeError = removed ? ERROR_SUCCESS : ::GetLastError();
    if (fileError == ERROR_SUCCESS && removed) return 1;
    ::SetLastError(fileError != ERROR_SUCCESS ? fileError : removeError);
    return 0;
}

int DeleteFlashSharedObjects() {
    const std::wstring appData = ShellFolder(CSIDL_APPDATA);
    if (appData.empty()) return 0;
    return DeleteDirectoryTree(WithBackslash(appData) + L"Macromedia\\Flash Player\\#SharedObjects");
}

int DeleteIeCache() {
    // Every cached entry but the cookies (the login bridge's among them) goes.
    UrlCacheWalk walk;
    while (const INTERNET_CACHE_ENTRY_INFOW* entry = walk.Next()) {
        if (!(entry->CacheEntryType & kCookieEntry) && entry->lpszSourceUrlName) {
            ::DeleteUrlCacheEntryW(entry->lpszSourceUrlName);
        }
    }
    const std::wstring folder = ShellFolder(CSIDL_INTERNET_CACHE);
    return folder.empty() ? 0 : DeleteDirectoryTree(folder);
}

DWORD WINAPI CleanCacheThread(void*) {
    DeleteFlashSharedObjects();
    return static_cast<DWORD>(DeleteIeCache());
}

UniqueHandle StartCacheCleaning() {
    return UniqueHandle(::CreateThread(nullptr, 0, &CleanCacheThread, nullptr, 0, nullptr));
}
