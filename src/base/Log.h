// The support log: one plain UTF-8 file for every process of the launcher, beside the
// executable (QuarnelHalvira.log, the previous one QuarnelHalvira.log.1), a line an event.
// Lines of different processes never interleave (a system-wide lock around each append). A
// folder that cannot be written, a full disk, a file held by another program or a lock not
// had within a moment lose the line and nothing else: logging never shows a message and never
// holds a window. Never log passwords, cookies, codes, post data, account names or the query
// of an address (AddressForLog, ServerForLog).
#pragma once
#include <string>

// The start mode every later line of this process carries ("TovD", "newgm", ...).
void SetLogStartMode(const std::wstring& mode);
void Log(const std::wstring& event);
// The file's path.
std::wstring LogFilePath();
// Opens Explorer with the log file selected (its folder while there is no log yet).
void ShowLogInExplorer();
