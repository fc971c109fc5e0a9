#include "app/rules/ReportUrls.h"
#include "base/rules/Version.h"

namespace {
std::wstring Base(const std::wstring& host, const wchar_t* pathAndQuery) { return L"http://" + host + pathAndQuery; }
std::wstring WithCount(std::wstring url, unsigned count) { return url + L"&count=" + std::to_wstring(count); }
}  // namespace

std::wstring InstallReportUrl(const std::wstring& clientHost, unsigned count) {
    return WithCount(Base(clientHost, L"/install.htm?tag=tov&ver=" QH_CLIENT_VERSION), count);
}

std::wstring WebPortalReportUrl(const std::wstring& clientHost, unsigned count) {
    return WithCount(Base(clientHost, L"/active.htm?tag=webQuarnel&ver=" QH_CLIENT_VERSION), count);
}

std::wstring UninstallReportUrl(const std::wstring& clientHost, unsigned count) {
    return WithCount(Base(clientHost, L"/uninstall.htm?tag=tov&ver=" QH_CLIENT_VERSION), count);
}

std::wstring ActivityReportUrl(const std::wstring& clientHost, unsigned count, long long apartDays, int keepDays,
                               int weekDays) {
    return WithCount(Base(clientHost, L"/active.htm?tag=tov&ver=" QH_CLIENT_VERSION), count) + L"&apartdays=" +
           std::to_wstring(apartDays) + L"&keepdays=" + std::to_wstring(keepDays) + L"&weekdays=" +
           std::to_wstring(weekDays);
}
