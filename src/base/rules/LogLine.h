// The support log's lines: what one looks like, what never goes into one, and when the file
// is rotated.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct LogStamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// "2026-12-09 14:31:08.123 [1234] TovD: <event>" and a CR LF. A line break or any other
// control character inside the event becomes a blank: one event is always one line.
std::wstring LogLine(const LogStamp& time, unsigned long processId, const std::wstring& mode, const std::wstring& event);

// An address as the log may show it: without its query and fragment, which may carry
// accounts, codes or session keys.
std::wstring AddressForLog(const std::wstring& url);
// A login record as the log may show it: its server name only, never the account.
std::wstring ServerForLog(const std::wstring& record);

// Past 1 MiB the file is rotated (one previous file kept): about 2 MiB at most in all.
inline constexpr std::uint64_t kMaxLogBytes = 1024 * 1024;
// Whether a line of `lineBytes` must go into a new file rather than after `currentBytes`.
bool LogNeedsRotation(std::uint64_t currentBytes, std::size_t lineBytes);
