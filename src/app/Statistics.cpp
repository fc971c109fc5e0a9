#include "app/Statistics.h"

#include "app/LauncherApp.h"
#include "app/rules/ActivityStats.h"
#include "app/rules/ReportUrls.h"
#include "base/Config.h"
#include "base/Paths.h"
#include "update/HttpFetch.h"

#include <memory>

namespace {
constexpr wchar_t kSection[] = L"Tov";
constexpr size_t kMaxUrl = 511;

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

const std::wstring& StoredStartDate(LauncherApp& app) {
    if (!app.m_strStartDate) app.m_strStartDate = ReadValue(L"lstTime", L"0", 16);
    return *app.m_strStartDate;
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

// The thread's own references to the application's events: should the application close
// its handles first, the thread still signals the events it was given, never whatever
// object a reused handle value names by then.
struct ReportJob {
    std::wstring url;
    UniqueHandle started;
    UniqueHandle done;
};

UniqueHandle DuplicateOwnHandle(HANDLE source) {
    HANDLE copy = nullptr;
    const HANDLE process = ::GetCurrentProcess();
    if (!source || !::DuplicateHandle(process, source, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return {};
    return UniqueHandle(copy);
}

DWORD WINAPI ReportThread(void* param) {
    const std::unique_ptr<ReportJob> job(static_cast<ReportJob*>(param));
    ::SetEvent(job->started.Get());  // the caller may reuse its text from here on
    HttpPing(job->url.c_str());      // the answer is never read
    ::SetEvent(job->done.Get());
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

void ReportActivity(LauncherApp& app) {
    const CivilDate today = Today();
    const std::optional<CivilDate> previous = ParseStoredDate(StoredStartDate(app));
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

bool SendReport(const wchar_t* url, LauncherApp& app) {
    std::wstring text = url ? url : L"";
    if (text.size() > kMaxUrl) text.resize(kMaxUrl);
    auto job = std::make_unique<ReportJob>(
        ReportJob{std::move(text), DuplicateOwnHandle(app.m_hReportStarted.Get()), DuplicateOwnHandle(app.m_hReportDone.Get())});
    UniqueHandle thread;
    if (job->started && job->done) thread.Reset(::CreateThread(nullptr, 0, &ReportThread, job.get(), 0, nullptr));
    if (!thread) {
        // No report goes out: nobody may wait for one.
        ::SetEvent(app.m_hReportDone.Get());
        return false;
    }
    job.release();  // the thread owns it now
    const HANDLE startedOrEnded[] = {app.m_hReportStarted.Get(), thread.Get()};
    ::WaitForMultipleObjects(2, startedOrEnded, FALSE, INFINITE);
    ::ResetEvent(app.m_hReportStarted.Get());
    app.m_reportThreads.push_back(std::move(thread));
    return true;
}
