// The support log written by several processes at once, turned over at its bound, and a log
// file that cannot be written.
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/rules/LogLine.h"
#include "support/HttpSupport.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {
class SupportLog : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = TempFolder(L"support_log");
        m_writer = m_folder + L"\\log_writer.exe";
        ASSERT_TRUE(::CopyFileW((TestsDirectory() + L"\\log_writer.exe").c_str(), m_writer.c_str(), FALSE));
    }
    void TearDown() override { RemoveFolder(m_folder); }

    // Runs writers side by side: each writes `count` lines of about `bytes` characters.
    void RunWriters(const std::vector<std::wstring>& tags, int count, int bytes) {
        std::vector<ChildProcess> writers(tags.size());
        for (size_t i = 0; i < tags.size(); ++i) {
            ASSERT_TRUE(writers[i].Start(m_writer, std::to_wstring(count) + L" " + tags[i] + L" " + std::to_wstring(bytes)));
        }
        for (ChildProcess& writer : writers) ASSERT_TRUE(writer.WaitForExit(kPatienceMs));
    }
    std::vector<std::string> Lines(const std::wstring& file) const {
        std::vector<std::string> lines;
        std::istringstream in(FileContent(m_folder + L"\\" + file));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::wstring m_folder, m_writer;
};

// "2026-12-09 14:31:08.123 [1234] TAG: TAG n...." with its CR (getline took the LF).
bool IsWholeLine(const std::string& line, std::string* tag) {
    static const std::regex form(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[\d+\] (\w+): (\w+) \d+\.*\r$)");
    std::smatch match;
    if (!std::regex_match(line, match, form) || match[1] != match[2]) return false;
    *tag = match[1];
    return true;
}
}  // namespace

TEST_F(SupportLog, ProcessesWritingAtOnceLeaveOnlyWholeLines) {
    RunWriters({L"first", L"second"}, 400, 300);
    const std::vector<std::string> lines = Lines(L"QuarnelHalvira.log");
    EXPECT_EQ(lines.size(), 800u);
    int first = 0, second = 0;
    for (const std::string& line : lines) {
        std::string tag;
        ASSERT_TRUE(IsWholeLine(line, &tag)) << line.substr(0, 120);
        (tag == "first" ? first : second)++;
    }
    EXPECT_EQ(first, 400);
    EXPECT_EQ(second, 400);
}

TEST_F(SupportLog, PastOneMebibyteTheFileTurnsOverKeepingOnePrevious) {
    // About 1.5 MiB of lines, then as much again: never more than one previous file.
    RunWriters({L"bulk"}, 1500, 1000);
    RunWriters({L"more"}, 1500, 1000);
    const std::wstring log = m_folder + L"\\QuarnelHalvira.log";
    EXPECT_LE(FileContent(log).size(), kMaxLogBytes);
    EXPECT_LE(FileContent(log + L".1").size(), kMaxLogBytes);
    EXPECT_FALSE(PathExists(log + L".2"));
    std::string tag;
    for (const std::string& line : Lines(L"QuarnelHalvira.log.1")) EXPECT_TRUE(IsWholeLine(line, &tag));
    const std::vector<std::string> last = Lines(L"QuarnelHalvira.log");
    ASSERT_FALSE(last.empty());
    EXPECT_TRUE(IsWholeLine(last.back(), &tag));
    EXPECT_EQ(tag, "more");
}

TEST_F(SupportLog, ALogThatCannotBeWrittenLosesItsLinesAndNothingElse) {
    // Held by another program with no sharing (a read-only attribute would not stop the root
    // user these tests run as under Wine).
    const std::wstring log = m_folder + L"\\QuarnelHalvira.log";
    WriteFileContent(log, "kept\r\n");
    {
        const UniqueFile held(::CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        RunWriters({L"blocked"}, 20, 10);  // each writer ended normally (checked by RunWriters)
    }
    EXPECT_EQ(FileContent(log), "kept\r\n");
}
