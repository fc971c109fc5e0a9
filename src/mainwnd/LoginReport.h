// The login report: one request on a worker thread of its own, its answer never read.
#pragma once
#include <string>

void StartLoginReport(std::wstring url);
