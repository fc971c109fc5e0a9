// The statistics report addresses on the client-service host.
#pragma once
#include <string>

std::wstring InstallReportUrl(const std::wstring& clientHost, unsigned count);
std::wstring WebPortalReportUrl(const std::wstring& clientHost, unsigned count);
std::wstring UninstallReportUrl(const std::wstring& clientHost, unsigned count);
std::wstring ActivityReportUrl(const std::wstring& clientHost, unsigned count, long long apartDays, int keepDays,
                               int weekDays);
