// Usage counters in Statistic.ini and the report requests to the operator's statistics pages.
#pragma once
#include <string>

class LauncherApp;

enum StatisticKind { kStatQuarnel = 0, kStatInst = 1, kStatUnInst = 2 };

// The per-user statistics file: local application data + "\Quarnel\GameLogin\Statistic.ini".
std::wstring StatisticFilePath();
// Increments and stores one counter; returns the new value.
unsigned CountStatistic(int kind);
// Start statistics of modes 2 and 3; returns once the report thread has started.
void ReportActivity(LauncherApp& app);
// Starts the report thread for the URL; returns once the thread has copied it. False when no
// thread could be started (the report then counts as done).
bool SendReport(const wchar_t* url, LauncherApp& app);
