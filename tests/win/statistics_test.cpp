// Usage counters in the per-user Statistic.ini and the report requests they go out with.
#include "app/LauncherApp.h"
#include "app/rules/ActivityStats.h"
#include "app/Statistics.h"
#include "base/Paths.h"
#include "support/DevService.h"
#include "support/Process.h"

#include <shlobj.h>
#include "support/Dates.h"

#include <gtest/gtest.h>

namespace {
std::wstring Read(const wchar_t* key) {
    wchar_t text[64] = {};
    ::GetPrivateProfileStringW(L"Tov", key, L"", text, 64, StatisticFilePath().c_str());
    return text;
}
void Write(const wchar_t* key, const std::wstring& value) {
    ::WritePrivateProfileStringW(L"Tov", key, value.c_str(), StatisticFilePath().c_str());
}

// Each test starts from an empty file in the real per-user folder and puts back what was
// there before.
class Statistics : public ::testing::Test {
protected:
    void SetUp() override {
        ::SHCreateDirectoryExW(nullptr, GetInstallFolder().c_str(), nullptr);
        m_backup = StatisticFilePath() + L".test-backup";
        ::DeleteFileW(m_backup.c_str());
        m_hadFile = ::MoveFileW(StatisticFilePath().c_str(), m_backup.c_str()) != FALSE;
        app.m_hReportStarted.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        app.m_hReportDone.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        devservice::ResetRequests();
    }
    void TearDown() override {
        ::DeleteFileW(StatisticFilePath().c_str());
        if (m_hadFile) ::MoveFileW(m_backup.c_str(), StatisticFilePath().c_str());
    }
    bool ReportDone(DWORD ms) const { return ::WaitForSingleObject(app.m_hReportDone.Get(), ms) == WAIT_OBJECT_0; }

    LauncherApp app;

private:
    std::wstring m_backup;
    bool m_hadFile = false;
};

CivilDate DaysAgo(int days) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const SYSTEMTIME then = ShiftDays(now, -days);
    return CivilDate{then.wYear, then.wMonth, then.wDay};
}
}  // namespace

TEST_F(Statistics, CountersStartAtOneAndSurviveDamagedValues) {
    EXPECT_EQ(CountStatistic(kStatInst), 1u);
    EXPECT_EQ(CountStatistic(kStatInst), 2u);
    EXPECT_EQ(Read(L"Inst"), L"2");
    Write(L"Quarnel", L"junk");
    EXPECT_EQ(CountStatistic(kStatQuarnel), 1u);
    Write(L"UnInst", L"41 and more");
    EXPECT_EQ(CountStatistic(kStatUnInst), 42u);
    EXPECT_EQ(CountStatistic(99), 0u);  // no such counter: nothing written
}

TEST_F(Statistics, ReportReachesTheServiceAndSignalsDone) {
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/install.htm?tag=tov&count=3";
    EXPECT_TRUE(SendReport(url.c_str(), app));
    EXPECT_TRUE(ReportDone(15000));
    EXPECT_NE(devservice::Requests().find("/install.htm?tag=tov&count=3"), std::string::npos);
}

TEST_F(Statistics, ReportToNowhereStillEnds) {
    EXPECT_TRUE(SendReport(L"", app));
    EXPECT_TRUE(ReportDone(15000));
    // The product never resets it; the test does, so the second wait is for the second report.
    ::ResetEvent(app.m_hReportDone.Get());
    const std::wstring longUrl = L"http://127.0.0.1:1/" + std::wstring(5000, L'a');
    EXPECT_TRUE(SendReport(longUrl.c_str(), app));
    EXPECT_TRUE(ReportDone(15000));
}

TEST_F(Statistics, ExitWaitsForAReportStillOnItsWay) {
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/test/late?ms=1500";
    HANDLE done = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), app.m_hReportDone.Get(), ::GetCurrentProcess(), &done, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    const UniqueHandle ownDone(done);
    ASSERT_TRUE(SendReport(url.c_str(), app));
    app.ExitInstance();
    EXPECT_EQ(::WaitForSingleObject(ownDone.Get(), 0), WAIT_OBJECT_0) << "the report had not finished at exit";
    EXPECT_TRUE(app.m_reportThreads.empty());
}

// A report thread that outlives the application's event handles still signals the events it
// was given (it holds its own references), never whatever later takes over those handle values.
TEST_F(Statistics, AReportOutlivingTheApplicationsHandlesSignalsItsOwnEvents) {
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/test/late?ms=1000";
    HANDLE done = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), app.m_hReportDone.Get(), ::GetCurrentProcess(), &done, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    const UniqueHandle originalDone(done);  // keeps the event object itself alive
    ASSERT_TRUE(SendReport(url.c_str(), app));
    ASSERT_EQ(app.m_reportThreads.size(), 1u);
    app.m_hReportStarted.Reset();
    app.m_hReportDone.Reset();
    ASSERT_EQ(::WaitForSingleObject(app.m_reportThreads.front().Get(), 15000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(originalDone.Get(), 0), WAIT_OBJECT_0) << "the thread lost its event";
}

// The start date is read once per process, so one test covers a start after a gap.
TEST_F(Statistics, ActivityAfterThreeDaysReportsTheGapAndRestartsTheStreak) {
    Write(L"lstTime", FormatStoredDate(DaysAgo(3)));
    Write(L"weekdays", L"1");
    Write(L"keepdays", L"5");
    Write(L"Game", L"7");
    ReportActivity(app);
    EXPECT_TRUE(ReportDone(15000));
    EXPECT_NE(devservice::Requests().find("/active.htm?tag=tov&ver=3.0.0.1&count=8&apartdays=2&keepdays=1&weekdays=2"),
              std::string::npos)
        << devservice::Requests();
    EXPECT_EQ(Read(L"Game"), L"8");
    EXPECT_EQ(Read(L"keepdays"), L"1");
    EXPECT_EQ(Read(L"weekdays"), L"9");
    EXPECT_EQ(Read(L"lstTime"), FormatStoredDate(DaysAgo(0)));
}
