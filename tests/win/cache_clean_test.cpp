// Cleaning the browser's URL cache and Flash data, and the cache size limit.
#include "base/Handles.h"
#include "features/CacheClean.h"
#include "support/Process.h"
#include "base/Paths.h"

#include <shlobj.h>
#include <wininet.h>
#include <gtest/gtest.h>

namespace {

void WriteFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ::WriteFile(file.Get(), "x", 1, &written, nullptr);
}

std::wstring AppData() {
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, TRUE);
    return path;
}

// Puts an entry of the given type into the URL cache; false when the cache refused it.
bool CacheEntry(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryW(url.c_str(), 1, L"txt", file, 0)) return false;
    WriteFile(file);
    FILETIME never{};
    return ::CommitUrlCacheEntryW(url.c_str(), file, never, never, type, nullptr, 0, L"txt", nullptr) != FALSE;
}

bool InCache(const std::wstring& url) {
    DWORD size = 0;
    ::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
    return ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

const wchar_t kContentKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Content";
}  // namespace

TEST(CacheClean, TreeGoesWithNestedFoldersAndReadOnlyFiles) {
    const std::wstring root = TempFolder(L"tree");
    ::CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    ::CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr);
    WriteFile(root + L"\\top.sol");
    WriteFile(root + L"\\a\\b\\deep.sol", FILE_ATTRIBUTE_READONLY);
    WriteFile(root + L"\\a\\locked.sol", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(DeleteDirectoryTree(root), 1);
    EXPECT_FALSE(PathExists(root));
}

TEST(CacheClean, MissingOrEmptyPathDeletesNothing) {
    const std::wstring root = TempFolder(L"missing");
    ::RemoveDirectoryW(root.c_str());
    EXPECT_EQ(DeleteDirectoryTree(root), 0);
    EXPECT_EQ(DeleteDirectoryTree(L""), 0);
}

TEST(CacheClean, FileInUseStaysAndIsReportedOthersGo) {
    const std::wstring root = TempFolder(L"inuse");
    WriteFile(root + L"\\free.dat");
    WriteFile(root + L"\\busy.dat");
    {
        UniqueFile busy(::CreateFileW((root + L"\\busy.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(busy);
        EXPECT_EQ(DeleteDirectoryTree(root), 0);
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(PathExists(root + L"\\free.dat"));
        EXPECT_TRUE(PathExists(root + L"\\busy.dat"));
    }
    EXPECT_EQ(DeleteDirectoryTree(root), 1);
}

TEST(CacheClean, LinkedFolderIsRemovedWithoutTouchingItsTarget) {
    const std::wstring root = TempFolder(L"linkroot");
    const std::wstring target = TempFolder(L"linktarget");
    WriteFile(target + L"\\keep.dat");
    // Vista and later; looked up so the test builds for older targets.
    using CreateLink = BOOLEAN(WINAPI*)(const wchar_t*, const wchar_t*, DWORD);
    const auto createLink =
        reinterpret_cast<CreateLink>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "CreateSymbolicLinkW"));
    constexpr DWORD kDirectoryLink = 1;
    if (!createLink || !createLink((root + L"\\link").c_str(), target.c_str(), kDirectoryLink)) {
        GTEST_SKIP() << "this system makes no folder links";
    }
    if (!PathExists(root + L"\\link\\keep.dat")) GTEST_SKIP() << "this system's folder links lead nowhere";
    // The link itself given, and a link met on the way down.
    EXPECT_EQ(DeleteDirectoryTree(root + L"\\link"), 1);
    EXPECT_FALSE(PathExists(root + L"\\link"));
    EXPECT_TRUE(PathExists(target + L"\\keep.dat"));
    ASSERT_TRUE(createLink((root + L"\\link").c_str(), target.c_str(), kDirectoryLink));
    EXPECT_EQ(DeleteDirectoryTree(root), 1);
    EXPECT_FALSE(PathExists(root));
    EXPECT_TRUE(PathExists(target + L"\\keep.dat"));
}

TEST(CacheClean, FlashSharedObjectsFolderGoesAndItsAbsenceIsHarmless) {
    const std::wstring flash = AppData() + L"\\Macromedia\\Flash Player";
    ::SHCreateDirectoryExW(nullptr, (flash + L"\\#SharedObjects\\XYZ\\game.example").c_str(), nullptr);
    WriteFile(flash + L"\\#SharedObjects\\XYZ\\game.example\\save.sol", FILE_ATTRIBUTE_READONLY);
    WriteFile(flash + L"\\settings.sxx");
    EXPECT_EQ(DeleteFlashSharedObjects(), 1);
    EXPECT_FALSE(PathExists(flash + L"\\#SharedObjects"));
    EXPECT_TRUE(PathExists(flash + L"\\settings.sxx"));  // only the stored objects go
    EXPECT_EQ(DeleteFlashSharedObjects(), 0);  // nothing there any more: nothing happens
    EXPECT_TRUE(PathExists(flash + L"\\settings.sxx"));
}

TEST(CacheClean, BrowserCacheLosesEverythingButCookies) {
    const std::wstring page = L"http://game.example/qh-cache-test/page.swf";
    const std::wstring cookie = L"Cookie:user@game.example/qh-cache-test/";
    ASSERT_TRUE(CacheEntry(page, NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(CacheEntry(cookie, COOKIE_CACHE_ENTRY));
    ASSERT_TRUE(InCache(page));
    DeleteIeCache();
    EXPECT_FALSE(InCache(page));
    EXPECT_TRUE(InCache(cookie));
    ::DeleteUrlCacheEntryW(cookie.c_str());
}

TEST(CacheClean, CleaningThreadRunsToItsEnd) {
    // Watched through the Flash data: the thread's first step. (Wine's cache does not come
    // back in a process whose Temporary Internet Files folder was removed, so the cache
    // itself is checked once, above.)
    const std::wstring objects = AppData() + L"\\Macromedia\\Flash Player\\#SharedObjects";
    ::SHCreateDirectoryExW(nullptr, objects.c_str(), nullptr);
    WriteFile(objects + L"\\a.sol");
    const UniqueHandle thread = StartCacheCleaning();
    ASSERT_TRUE(thread);
    // Waited for to its end, so it does not go on cleaning under the tests after this one.
    EXPECT_EQ(::WaitForSingleObject(thread.Get(), 60000), WAIT_OBJECT_0);
    EXPECT_FALSE(PathExists(objects));
}

TEST(CacheClean, CacheLimitIsWrittenOnlyWhereItsKeyExists) {
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kContentKey);
    EXPECT_EQ(SetIeCacheLimit(), 0);
    HKEY raw = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kContentKey, 0, KEY_READ, &raw), ERROR_SUCCESS);  // not created

    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kContentKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    const UniqueRegKey key(raw);
    EXPECT_EQ(SetIeCacheLimit(), 1);
    DWORD value = 0, size = sizeof(value), type = 0;
    ASSERT_EQ(::RegQueryValueExW(key.Get(), L"CacheLimit", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 0x100000u);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kContentKey);
}
