// The update dialog's download and the swap of the executable, on files of a scratch folder.
#include "base/rules/Version.h"
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "update/FileDigest.h"
#include "update/UpdateDownloadDialog.h"
#include "update/rules/VersionKey.h"
#include "update/UpdateCheck.h"
#include "update/UpdateSwap.h"
#include "base/Paths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

namespace {
const DWORD kGuard = 30000;

void WriteText(const std::wstring& path, const std::string& bytes) {
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(f);
}

std::string ReadText(const std::wstring& path) {
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[256] = {};
    DWORD got = 0;
    ::ReadFile(f, buffer, sizeof(buffer) - 1, &got, nullptr);
    ::CloseHandle(f);
    return std::string(buffer, got);
}

BOOL CALLBACK MatchUpdateDialog(HWND hwnd, LPARAM found) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    if (pid != ::GetCurrentProcessId() || std::wstring(text) != L"版本更新中...") return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

HWND FindUpdateDialog() {
    HWND found = nullptr;
    ::EnumWindows(MatchUpdateDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

class UpdateDownload : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        m_path = TempFolder(L"update_download") + L"\\NewTov.exe";
    }
    INT_PTR Run(const std::wstring& url) {
        UpdateDownloadDialog dialog;
        dialog.m_szUrl = url;
        dialog.m_szPath = m_path;
        return dialog.DoModal();
    }
    std::wstring m_path;
};

class Swap : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring folder = TempFolder(L"update_swap");
        m_exe = folder + L"\\QuarnelHalvira.exe";
        m_new = folder + L"\\NewTov.exe";
        m_old = folder + L"\\OldTov.exe";
        WriteText(m_exe, "old build");
        WriteText(m_new, "new build");
        m_key = ComposeVersionKey(FileMd5Hex(m_new), kClientVersion);
    }
    std::wstring m_exe, m_new, m_old, m_key;
};
}  // namespace

TEST_F(UpdateDownload, ThePublishedExecutableArrivesWhole) {
    EXPECT_EQ(Run(ServiceUrl(L"/update/QuarnelHalvira.exe")), IDOK);
    const std::string state = devservice::Get("/__control/state");
    std::wstring digest = FileMd5Hex(m_path);
    EXPECT_NE(state.find("\"exe_md5\":\"" + std::string(digest.begin(), digest.end()) + "\""), std::string::npos)
        << state;
}

TEST_F(UpdateDownload, AShortBodyFailsAndLeavesThePartialFile) {
    EXPECT_EQ(Run(ServiceUrl(L"/update/broken/QuarnelHalvira.exe")), IDCANCEL);
    EXPECT_TRUE(PathExists(m_path));
}

TEST_F(UpdateDownload, AnAddressOutsideTheOperatorsDomainsEndsAtOnceWithoutARequest) {
    const std::wstring url = L"http://localhost:" + std::to_wstring(devservice::Port()) + L"/update/QuarnelHalvira.exe";
    EXPECT_EQ(Run(url), IDCANCEL);
    EXPECT_EQ(Run(L""), IDCANCEL);
    EXPECT_EQ(RecordedRequestsTo("/update/QuarnelHalvira.exe").size(), 0u);
    EXPECT_FALSE(PathExists(m_path));
}

TEST_F(UpdateDownload, CancelInTheMiddleEndsAtOnceAndClosesTheFile) {
    // Almost a minute unless cancelled. The canceller waits for bytes on disk, then presses Esc.
    std::thread canceller([this] {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kGuard) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            HWND dialog = FindUpdateDialog();
            if (dialog && ::GetFileAttributesExW(m_path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0) {
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::Sleep(20);
        }
    });
    const INT_PTR result = Run(ServiceUrl(L"/test/slow?bytes=1048576&ms=50&piece=1024"));
    canceller.join();
    EXPECT_EQ(result, IDCANCEL);
    // Nothing holds the file any more.
    EXPECT_TRUE(::DeleteFileW(m_path.c_str()));
}

TEST_F(Swap, AVerifiedDownloadTakesTheNameAndTheOldOneIsSetAside) {
    EXPECT_TRUE(SwapDownloadedExecutable(m_exe, m_new, m_old, true, m_key));
    EXPECT_EQ(ReadText(m_exe), "new build");
    EXPECT_EQ(ReadText(m_old), "old build");
    EXPECT_FALSE(PathExists(m_new));
}

TEST_F(Swap, ADigestThatDoesNotMatchTheKeyIsAFailedDownload) {
    std::wstring other = m_key;
    other[0] = other[0] == L'0' ? L'1' : L'0';
    EXPECT_FALSE(SwapDownloadedExecutable(m_exe, m_new, m_old, true, other));
    EXPECT_EQ(ReadText(m_exe), "old build");
    EXPECT_FALSE(PathExists(m_new));
    EXPECT_FALSE(PathExists(m_old));
}

TEST_F(Swap, AnIncompleteDownloadLeavesTheExecutable) {
    EXPECT_FALSE(SwapDownloadedExecutable(m_exe, m_new, m_old, false, m_key));
    EXPECT_EQ(ReadText(m_exe), "old build");
    EXPECT_FALSE(PathExists(m_new));
}

TEST_F(Swap, AnExecutableHeldOpenStaysUnderItsName) {
    // Held without delete sharing, it cannot be renamed.
    HANDLE held = ::CreateFileW(m_exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SwapDownloadedExecutable(m_exe, m_new, m_old, true, m_key));
    ::CloseHandle(held);
    EXPECT_EQ(ReadText(m_exe), "old build");
    EXPECT_FALSE(PathExists(m_new));
}

// The running executable is already aside when the download cannot take its name (held
// without delete sharing, as a virus scanner may hold a new file): it comes back under the
// name, and nothing is lost.
TEST_F(Swap, ADownloadThatCannotTakeTheNameBringsTheOldOneBack) {
    HANDLE held = ::CreateFileW(m_new.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SwapDownloadedExecutable(m_exe, m_new, m_old, true, m_key));
    ::CloseHandle(held);
    EXPECT_EQ(ReadText(m_exe), "old build");
    EXPECT_FALSE(PathExists(m_old));
}

namespace {
class PublishedDownload : public Swap {
protected:
    // The version check, the dialog and the swap as start-up runs them, on scratch files.
    void TearDown() override { devservice::Get("/__control/set?update=none&key=&signature=good"); }
    bool CheckDownloadAndSwap(const std::string& mode, const std::string& signature = "good") {
        const std::wstring local = LocalVersionKey();
        devservice::Get("/__control/set?update=" + mode + "&signature=" + signature + "&key=" +
                        std::string(local.begin(), local.end()));
        if (!IsUpdateAvailable(true)) return false;
        UpdateDownloadDialog dialog;
        dialog.m_szUrl = UpdateAddress();
        dialog.m_szPath = m_new;
        const bool downloaded = dialog.DoModal() == IDOK;
        return SwapDownloadedExecutable(m_exe, m_new, m_old, downloaded, PublishedKey(), VerifiedRelease());
    }
};
}  // namespace

TEST_F(PublishedDownload, ThePublishedFileReplacesTheExecutable) {
    EXPECT_TRUE(CheckDownloadAndSwap("published"));
    EXPECT_EQ(ReadText(m_old), "old build");
    EXPECT_EQ(ReadText(m_exe).substr(0, 2), "MZ");
}

TEST_F(PublishedDownload, AnythingButThePublishedFileLeavesTheExecutable) {
    for (const char* mode : {"broken", "error500", "mismatch"}) {
        WriteText(m_new, "stale");
        EXPECT_FALSE(CheckDownloadAndSwap(mode)) << mode;
        EXPECT_EQ(ReadText(m_exe), "old build") << mode;
        EXPECT_FALSE(PathExists(m_new)) << mode;
        EXPECT_FALSE(PathExists(m_old)) << mode;
    }
}

TEST_F(PublishedDownload, ASignedClaimTheDownloadDoesNotMeetLeavesTheExecutable) {
    // Its MD5 matches the published key, but not the length and SHA-256 that were signed.
    devservice::ResetRequests();
    WriteText(m_new, "stale");
    EXPECT_FALSE(CheckDownloadAndSwap("published", "altered"));
    EXPECT_FALSE(RecordedRequestsTo("/update/QuarnelHalvira.exe").empty());  // it was fetched...
    EXPECT_EQ(ReadText(m_exe), "old build");  // ...and refused
    EXPECT_FALSE(PathExists(m_new));
    EXPECT_FALSE(PathExists(m_old));
}
