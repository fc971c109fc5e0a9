// The support log of a real start: what a shortcut start with a tab leaves in it, what it
// never writes, and a log file that cannot be written.
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/rules/PathParts.h"
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/LauncherTest.h"
#include "support/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::wstring LogFile() { return FolderOf(ProductPath()) + L"\\QuarnelHalvira.log"; }

class SupportLogRoad : public LauncherTest {
protected:
    // What the log gained since the test began, of the launcher's own process.
    std::string NewLinesOf(DWORD pid) const {
        std::string text = FileContent(LogFile());
        text = text.size() > m_before ? text.substr(m_before) : text;  // turned over meanwhile: all of it
        const std::string mark = "[" + std::to_string(pid) + "] ";
        std::string lines;
        for (size_t at = 0; at < text.size();) {
            const size_t end = text.find('\n', at);
            const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
            if (line.find(mark) != std::string::npos) lines += line;
            at = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }
    size_t m_before = FileContent(LogFile()).size();
};
}  // namespace

TEST_F(SupportLogRoad, AStartWithATabLeavesItsStartItsRequestsAndItsTabAndNoAccount) {
    StartLauncher();
    StopFirstGameProcesses();
    auto tab = AddStandInTab(L"双线1服-secretaccount");
    const std::string server = Utf8(L"tab opened: 双线1服");
    std::string lines;
    ASSERT_TRUE(WaitUntil([&] { return (lines = NewLinesOf(launcher.Id())).find(server) != std::string::npos; }, kPatienceMs))
        << lines;
    const std::string base = "http://127.0.0.1:" + std::to_string(devservice::Port());
    EXPECT_NE(lines.find("TovD: start /TovD, version 3.0.0.1, Windows "), std::string::npos) << lines;
    EXPECT_NE(lines.find("GET " + base + "/active.htm: status 200"), std::string::npos) << lines;
    EXPECT_TRUE(WaitUntil([&] { return (lines = NewLinesOf(launcher.Id())).find("GET " + base + "/login.htm: status") !=
                                       std::string::npos; },
                          kPatienceMs))
        << lines;
    EXPECT_EQ(lines.find("secretaccount"), std::string::npos) << lines;
    EXPECT_EQ(lines.find("?"), std::string::npos) << "a query in the log: " << lines;
}

TEST_F(SupportLogRoad, ALogThatCannotBeWrittenChangesNothingElseTheStartDoes) {
    const std::wstring counters = GetInstallFolder() + L"\\Statistic.ini";
    const int games = _wtoi(StoredSetting(counters, L"Game").c_str());
    if (!PathExists(LogFile())) WriteFileContent(LogFile(), "");
    const std::string before = FileContent(LogFile());
    // Held by another program with no sharing: the root user these tests run as under Wine
    // would write a read-only file all the same.
    {
        const UniqueFile held(::CreateFileW(LogFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        StartLauncher();  // the main window opens
        StopFirstGameProcesses();
        auto tab = AddStandInTab(L"s1-held-log");
        EXPECT_EQ(_wtoi(StoredSetting(counters, L"Game").c_str()), games + 1);  // the start was counted and saved
        EXPECT_TRUE(::IsWindowVisible(main));
        KillProcessTree(launcher.Id());
    }
    EXPECT_EQ(FileContent(LogFile()), before);
}
