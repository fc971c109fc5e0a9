// Calendar arithmetic for tests that store dates: a time moved by whole days.
#pragma once
#include <windows.h>

// The same time of day `days` days later (negative: earlier), counted in whole 24-hour steps
// on the record as given (no time zone or daylight-saving change in between).
SYSTEMTIME ShiftDays(const SYSTEMTIME& time, int days);
