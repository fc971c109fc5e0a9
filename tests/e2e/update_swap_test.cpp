// A whole "/update" start that succeeds: the published program is downloaded under the
// progress dialog, takes the launcher's place, is started, and the day of the update is
// recorded. The published program is a small test dialog, so what starts after the swap is
// plainly not the launcher.
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Launcher.h"
#include "support/Process.h"
#include "support/Registry.h"
#include "update/FileDigest.h"
#include "update/UpdateRegistry.h"

#include "support/Dates.h"
#include "base/Paths.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {
const wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(::towupper(c)); });
    return text;
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// The full path of the process's executable: its first module.
std::wstring ProcessImage(DWORD pid) {
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    if (!snapshot) return {};
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    if (!::Module32FirstW(snapshot.Get(), &module)) return {};
    return module.szExePath;
}

class UpdateSwapStart : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        m_folder = TempFolder(L"update_swap");
        m_exe = m_folder + L"\\QuarnelHalvira.exe";
        ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), m_exe.c_str(), FALSE));
        const std::wstring published = TestsDirectory() + L"\\minimal_dialog.exe";
        m_publishedDigest = FileMd5Hex(published);
        ASSERT_EQ(m_publishedDigest.size(), 32u);
        ASSERT_NE(m_publishedDigest, FileMd5Hex(m_exe));
        // The dev service publishes the test dialog: its key names that file's digest. The slow
        // address keeps the progress dialog up for seconds, long enough to be read.
        ASSERT_NE(devservice::Request("POST", "/__control/exe", FileContent(published)).find("\"exe_uploaded\":true"),
                  std::string::npos);
        ASSERT_NE(devservice::Get("/__control/set?update=slow&key=").find("\"update\":\"slow\""), std::string::npos);
    }
    void TearDown() override {
        for (DWORD pid : m_started) KillProcessTree(pid);
        KillProcessTree(m_launcher.Id());
        m_launcher.Kill();
        devservice::Request("DELETE", "/__control/exe", std::string());
        devservice::Get("/__control/set?update=none&key=");
        RemoveFolder(m_folder);
    }

    ChildProcess m_launcher;
    std::vector<DWORD> m_started;
    std::wstring m_folder, m_exe, m_publishedDigest;
    // Put back when the fixture ends, after TearDown has ended the processes that write them.
    RegValueRestore m_updTime{kUpdateRegistryRoot, kUpdateRegistryKey, L"UpdTime"};
    RegValueRestore m_pendingRenames{HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames};
};
}  // namespace

TEST_F(UpdateSwapStart, DownloadsTheCheckedProgramPutsItInPlaceStartsItAndRecordsTheDay) {
    SYSTEMTIME before{};
    ::GetSystemTime(&before);
    ASSERT_TRUE(m_launcher.Start(m_exe, L"/update"));

    // The progress dialog, its bar moving forward while the download runs.
    HWND dialog = WaitForWindow(m_launcher.Id(), L"#32770", L"版本更新中...", kPatienceMs);
    ASSERT_NE(dialog, nullptr);
    HWND bar = ::GetDlgItem(dialog, 1000);
    ASSERT_NE(bar, nullptr);
    std::vector<int> positions;
    while (::IsWindow(dialog)) {
        DWORD_PTR position = 0;
        if (::SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position) && ::IsWindow(dialog) &&
            (positions.empty() || positions.back() != static_cast<int>(position))) {
            positions.push_back(static_cast<int>(position));
        }
        PumpMessagesFor(25);
    }
    ASSERT_FALSE(positions.empty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << testing::PrintToString(positions);
    EXPECT_GT(positions.back(), 0) << testing::PrintToString(positions);
    EXPECT_LE(positions.back(), 100) << testing::PrintToString(positions);

    // The old process hands over and ends.
    ASSERT_TRUE(m_launcher.WaitForExit(kPatienceMs));
    SYSTEMTIME after{};
    ::GetSystemTime(&after);

    // The published program now has the launcher's name; the launcher waits aside as
    // OldTov.exe, to be deleted at the next restart.
    EXPECT_EQ(FileMd5Hex(m_exe), m_publishedDigest);
    EXPECT_TRUE(PathExists(m_folder + L"\\OldTov.exe"));
    EXPECT_FALSE(PathExists(m_folder + L"\\NewTov.exe"));
    EXPECT_FALSE(PathExists(m_folder + L"\\ConfigTov.htm"));
    const std::optional<RegValue> pending = ReadValue(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames);
    ASSERT_TRUE(pending.has_value());
    const std::vector<std::wstring> renames = MultiStrings(*pending);
    const std::wstring old = Upper(m_folder + L"\\OldTov.exe");
    EXPECT_TRUE(std::any_of(renames.begin(), renames.end(),
                            [&](const std::wstring& s) {
                                return s.size() >= old.size() && s.compare(s.size() - old.size(), old.size(), old) == 0;
                            }))
        << "no pending deletion of " << testing::PrintToString(old);

    // The program under the launcher's name was started: the test dialog, not the launcher.
    std::vector<DWORD> children;
    WaitUntil(
        [&] {
            children = ChildProcessesOf(m_launcher.Id());
            return !children.empty();
        },
        kPatienceMs);
    m_started = children;
    ASSERT_EQ(children.size(), 1u);
    HWND started = WaitForWindow(children[0], L"#32770", L"QuarnelHalvira", kPatienceMs);
    ASSERT_NE(started, nullptr);
    EXPECT_TRUE(ChildTexts(started).empty()) << "the launcher's window, not the published dialog";
    // Read once the process shows a window: a process still starting has no module list yet.
    EXPECT_EQ(Upper(ProcessImage(children[0])), Upper(m_exe));

    // The day of the update, in UTC.
    const std::optional<RegValue> updTime = ReadValue(kUpdateRegistryRoot, kUpdateRegistryKey, L"UpdTime");
    ASSERT_TRUE(updTime.has_value());
    ASSERT_EQ(updTime->data.size(), sizeof(SYSTEMTIME));
    SYSTEMTIME stored{};
    memcpy(&stored, updTime->data.data(), sizeof(stored));
    EXPECT_TRUE(SameDay(stored, before) || SameDay(stored, after))
        << stored.wYear << "-" << stored.wMonth << "-" << stored.wDay;

    EXPECT_EQ(RecordedRequestsTo("/update/ConfigTov.htm").size(), 1u);
    EXPECT_EQ(RecordedRequestsTo("/update/slow/QuarnelHalvira.exe").size(), 1u);
}

namespace {
// A shortcut start with something published: whether it asks for the version file depends
// only on the day of the last update ("DisableDays" is cleared, so no weekday is skipped).
// The published download is never the file its key names, so even a start that asks goes
// on to its main window and the shared test build is never replaced.
class GatedStart : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        ASSERT_NE(devservice::Get("/__control/set?update=mismatch&key=").find("\"update\":\"mismatch\""),
                  std::string::npos);
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(kUpdateRegistryRoot, kUpdateRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    &raw, nullptr),
                  ERROR_SUCCESS);
        m_key.Reset(raw);
        ::RegDeleteValueW(m_key.Get(), L"DisableDays");
    }
    void TearDown() override {
        KillProcessTree(m_launcher.Id());
        devservice::Get("/__control/set?update=none&key=");
    }
    void WriteUpdTime(const SYSTEMTIME& time) {
        ASSERT_EQ(::RegSetValueExW(m_key.Get(), L"UpdTime", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&time),
                                   sizeof(time)),
                  ERROR_SUCCESS);
    }
    // Starts "/TovD", waits for the main window and answers the version-file requests made.
    size_t VersionFileRequestsOfAStart() {
        if (!m_launcher.Start(ProductPath(), L"/TovD")) return ~size_t{0};
        if (!WaitForMainWindow(m_launcher.Id(), kPatienceMs)) return ~size_t{0};
        return RecordedRequestsTo("/update/ConfigTov.htm").size();
    }

    RegValueRestore m_updTime{kUpdateRegistryRoot, kUpdateRegistryKey, L"UpdTime"};
    RegValueRestore m_disableDays{kUpdateRegistryRoot, kUpdateRegistryKey, L"DisableDays"};
    UniqueRegKey m_key;
    ChildProcess m_launcher;
};
}  // namespace

TEST_F(GatedStart, OnTheDayOfAnUpdateAsksNothing) {
    SYSTEMTIME today{};
    ::GetSystemTime(&today);
    WriteUpdTime(today);
    const size_t requests = VersionFileRequestsOfAStart();
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    if (!SameDay(today, now)) GTEST_SKIP() << "the UTC day changed during the start";
    EXPECT_EQ(requests, 0u);
}

TEST_F(GatedStart, TheDayAfterAnUpdateAsks) {
    SYSTEMTIME today{};
    ::GetSystemTime(&today);
    WriteUpdTime(ShiftDays(today, -1));
    EXPECT_EQ(VersionFileRequestsOfAStart(), 1u);
}
