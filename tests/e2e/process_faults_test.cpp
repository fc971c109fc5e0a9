// When one of the launcher's own processes fails: the main window killed (its game processes
// follow it), a game process killed (the main window carries on without its tab), and a crash
// in every start mode (one dump beside the executable). Each outcome is written to
// process-faults.tsv beside the tests (scripts/fault-table prints it).
#include "app/rules/DumpPath.h"
#include "app/rules/StartMode.h"
#include "base/Paths.h"
#include "support/Assertions.h"
#include "support/HttpSupport.h"
#include "support/LauncherTest.h"

#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

const std::wstring kRecord = L"双线1服-process";

void WriteOutcome(const std::string& fault, const std::string& outcome) {
    static bool first = true;
    const std::wstring path = TestsDirectory() + L"\\process-faults.tsv";
    std::ofstream out(path.c_str(), first ? std::ios::trunc : std::ios::app);
    first = false;
    out << fault << '\t' << outcome << '\n';
}

std::string Seconds(const char* what, DWORD since) {
    char text[128];
    std::snprintf(text, sizeof text, "%s %.1f s", what, (::GetTickCount() - since) / 1000.0);
    return text;
}

bool AllEnded(const std::vector<DWORD>& processes) {
    return std::none_of(processes.begin(), processes.end(), ProcessAlive);
}

class ProcessFaults : public LauncherTest {
protected:
    void SetUp() override { StartLauncher(); }
    void TearDown() override {
        LauncherTest::TearDown();
        WriteOutcome(m_fault, (HasFailure() ? "FAILED: " : "") + m_outcome);
    }
    // Kills the main window's process alone; the moment it is seen gone.
    DWORD KillMainWindowProcess() {
        KillProcess(launcher.Id());
        EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(launcher.Id()); }, kPatienceMs));
        return ::GetTickCount();
    }
    std::string m_fault, m_outcome;
};

}  // namespace

TEST_F(ProcessFaults, MainWindowKilledDuringTheFirstLoginTakesTheLoginWithIt) {
    m_fault = "main window killed, first login waiting";
    const std::vector<DWORD> children = WaitForFirstGameProcesses();
    ASSERT_EQ(children.size(), 1u);
    ASSERT_NE(WaitForLoginPage(children.front(), kPatienceMs), nullptr);
    const DWORD goneAt = KillMainWindowProcess();
    EXPECT_TRUE(WaitUntil([&] { return AllEnded(children); }, kPatienceMs));
    m_outcome = Seconds("the login process ends", goneAt) + " after it";
}

TEST_F(ProcessFaults, MainWindowKilledWithTwoTabsTakesEveryGameProcessWithIt) {
    m_fault = "main window killed, two tabs";
    ASSERT_NE(LogInFirstAccount(kRecord, L"1"), 0u);
    HWND page = nullptr;
    const DWORD second = AddAccountInThisWindow(&page);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(LogIn(second, page, L"双线2服-process", L"2"));
    const std::vector<DWORD> children = ChildProcessesOf(launcher.Id());
    ASSERT_EQ(children.size(), 2u);
    const DWORD goneAt = KillMainWindowProcess();
    EXPECT_TRUE(WaitUntil([&] { return AllEnded(children); }, kPatienceMs));
    m_outcome = Seconds("both game processes end", goneAt) + " after it";
}

TEST_F(ProcessFaults, GameProcessKilledLeavesTheOtherTabAndAWorkingWindow) {
    m_fault = "game process killed, two tabs";
    const DWORD first = LogInFirstAccount(kRecord, L"1");
    ASSERT_NE(first, 0u);
    HWND page = nullptr;
    const DWORD second = AddAccountInThisWindow(&page);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(LogIn(second, page, L"双线2服-process", L"2"));
    const DWORD killedAt = ::GetTickCount();
    KillProcess(second);
    // The first tab comes back as the shown one; nothing asks, nothing else ends.
    EXPECT_TRUE(WaitForShownFrame(first, main, kPatienceMs));
    m_outcome = Seconds("the other tab shown in", killedAt);
    EXPECT_TRUE(AnswersWithinASecond(main));
    EXPECT_TRUE(ProcessAlive(launcher.Id()));
    EXPECT_TRUE(ProcessAlive(first));
    EXPECT_EQ(VisibleTopLevelWindowsOf(launcher.Id()), std::vector<HWND>{main});
}

namespace {

struct ModeStart {
    StartMode mode;
    const char* name;
    const wchar_t* arguments;
    bool installed;  // started from the install folder
};
const ModeStart kModeStarts[] = {
    {StartMode::Install, "install", L"", false},
    {StartMode::WebPortal, "web portal", L"/webQuarnelD", false},
    {StartMode::ShortcutStart, "shortcut", L"/TovD", false},
    {StartMode::InstalledStart, "installed", L"", true},
    {StartMode::Uninstall, "uninstall", L"/uninst", true},
    {StartMode::Update, "update", L"/update", false},
    {StartMode::NewGameTab, "game tab", L"/newgm /1 /1", false},
    {StartMode::GameHall, "game hall", L"/gmhall /1", false},
};

std::vector<std::wstring> DumpsIn(const std::wstring& folder) {
    std::vector<std::wstring> dumps;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*.dmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return dumps;
    do dumps.push_back(found.cFileName);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return dumps;
}

// Sets QH_TEST_CRASH for the processes started while it lives.
class CrashRequest {
public:
    explicit CrashRequest(StartMode mode) {
        ::SetEnvironmentVariableW(L"QH_TEST_CRASH", std::to_wstring(static_cast<int>(mode)).c_str());
    }
    ~CrashRequest() { ::SetEnvironmentVariableW(L"QH_TEST_CRASH", nullptr); }
    CrashRequest(const CrashRequest&) = delete;
    CrashRequest& operator=(const CrashRequest&) = delete;
};

class CrashInStartMode : public ::testing::TestWithParam<ModeStart> {
protected:
    void TearDown() override {
        WriteOutcome(std::string("crash, ") + GetParam().name + " start",
                     (HasFailure() ? "FAILED: " : "") + m_outcome);
        if (!m_exe.empty()) ::DeleteFileW(DumpPathForExecutable(m_exe).c_str());
    }
    std::wstring m_exe;
    std::string m_outcome;
};

}  // namespace

TEST_P(CrashInStartMode, LeavesOneDumpBesideTheExecutable) {
    const ModeStart& start = GetParam();
    const std::wstring folder = start.installed ? GetInstallFolder() : TempFolder(L"crash_in_mode");
    ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    m_exe = folder + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), m_exe.c_str(), FALSE));
    for (const std::wstring& dump : DumpsIn(folder)) ::DeleteFileW((folder + L"\\" + dump).c_str());

    ChildProcess crashing;
    {
        CrashRequest request(start.mode);
        ASSERT_TRUE(crashing.Start(m_exe, start.arguments));
    }
    ASSERT_TRUE(crashing.WaitForExit(kPatienceMs));
    EXPECT_EQ(crashing.ExitCode(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(DumpsIn(folder), std::vector<std::wstring>{L"QuarnelHalvira.dmp"});
    const std::string dump = FileContent(DumpPathForExecutable(m_exe));
    EXPECT_EQ(dump.compare(0, 4, "MDMP"), 0) << "not a minidump";
    m_outcome = "one dump, " + std::to_string(dump.size() / 1024) + " KiB";
}

INSTANTIATE_TEST_SUITE_P(EveryMode, CrashInStartMode, ::testing::ValuesIn(kModeStarts),
                         [](const ::testing::TestParamInfo<ModeStart>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });
