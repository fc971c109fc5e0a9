#include "app/Statistics.h"

#include "app/App.h"
#include "app/Config.h"
#include "app/Paths.h"
#include "app/rules/ActivityStats.h"
#include "app/rules/ReportUrls.h"
#include "update/HttpFetch.h"

#include <memory>
#include <optional>

namespace {
constexpr wchar_t kSection[] = L"Tov";
constexpr size_t kMaxUrl = 511;

// The date stored before this process started: read once, kept for the whole process, so
// every computation of one start sees the same previous date.
std::optional<std::wstring> g_startDate;

std::wstring ReadValue(const wchar_t* key, const wchar_t* fallback, DWORD capacity = 32) {
    const std::wstring path = StatisticFilePath();
    std::wstring text(capacity, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(kSection, key, fallback, text.data(), capacity, path.c_str());
    text.resize(length);
    return text;
}

void WriteValue(const wchar_t* key, const std::wstring& value) {
    ::WritePrivateProfileStringW(kSection, key, value.c_str(), StatisticFilePath().c_str());
}

const std::wstring& StoredStartDate() {
    if (!g_startDate) g_startDate = ReadValue(L"lstTime", L"0", 16);
    return *g_startDate;
}

CivilDate Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return CivilDate{now.wYear, now.wMonth, now.wDay};
}

const wchar_t* CounterKey(int kind) {
    switch (kind) {
        case kStatQuarnel: return L"Quarnel";
        case kStatInst: return L"Inst";
        case kStatUnInst: return L"UnInst";
        default: return nullptr;
    }
}

struct ReportJob {
    std::wstring url;
    HANDLE started;
    HANDLE done;
};

DWORD WINAPI ReportThread(void* param) {
    const std::unique_ptr<ReportJob> job(static_cast<ReportJob*>(param));
    const HANDLE done = job->done;
    const std::wstring url = job->url;
    ::SetEvent(job->started);  // the caller may reuse its text from here on
    HttpPing(url.c_str());     // the answer is never read
    ::SetEvent(done);
    return 0;
}
}  // namespace

std::wstring StatisticFilePath() { return GetInstallFolder() + L"\\Statistic.ini"; }

unsigned CountStatistic(int kind) {
    const wchar_t* key = CounterKey(kind);
    if (!key) return 0;
    const unsigned count = CountedUp(StoredUnsigned(ReadValue(key, L"0")));
    WriteValue(key, std::to_wstring(count));
    return count;
}

void ReportActivity(CBrindlow3App& app) {
    const CivilDate today = Today();
    const std::optional<CivilDate> previous = ParseStoredDate(StoredStartDate());
    const long long d = previous ? DaysBetween(*previous, today) : 0;

    const int storedWeekdays = static_cast<int>(::GetPrivateProfileIntW(kSection, L"weekdays", 0, StatisticFilePath().c_str()));
    const unsigned storedKeepdays = (d == 0 || d == 1) ? StoredUnsigned(ReadValue(L"keepdays", L"1")) : 1;
    const ActivityCounters next = NextActivity(d, storedWeekdays, storedKeepdays);
    WriteValue(L"weekdays", std::to_wstring(next.weekdays));
    WriteValue(L"lstTime", FormatStoredDate(today));
    WriteValue(L"keepdays", std::to_wstring(next.keepdays));
    const unsigned games = CountedUp(StoredUnsigned(ReadValue(L"Game", L"0")));
    WriteValue(L"Game", std::to_wstring(games));

    SendReport(ActivityReportUrl(config::kClientHost, games, next.apartdays, static_cast<int>(next.keepdays),
                                 next.startDaysInWeek)
                   .c_str(),
               app);
}

bool SendReport(const wchar_t* url, CBrindlow3App& app) {
    std::wstring text = url ? url : L"";
    if (text.size() > kMaxUrl) text.resize(kMaxUrl);
    auto job = std::make_unique<ReportJob>(ReportJob{std::move(text), app.m_hReportStarted.Get(), app.m_hReportDone.Get()});
    const UniqueHandle thread(::CreateThread(nullptr, 0, &ReportThread, job.get(), 0, nullptr));
    if (!thread) {
        // No report goes out: nobody may wait for one.
        ::SetEvent(app.m_hReportDone.Get());
        return false;
    }
    job.release();  // the thread owns it now
    ::WaitForSingleObject(app.m_hReportStarted.Get(), INFINITE);
    ::ResetEvent(app.m_hReportStarted.Get());
    return true;
}
