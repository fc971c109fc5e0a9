// Where a game screenshot goes: its file name from the tab's login record and the local time.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

struct LocalStamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Characters a Windows file name cannot hold (controls, \ / : * ? " < > |) become "_"; an
// empty record reads "QuarnelHalvira".
std::wstring FileNameSafe(const std::wstring& record);

// "<record>_<yyyyMMdd>_<HHmmss>.png", or with "_2", "_3", ... before ".png" for the first
// name `taken` says is free. The record part is shortened (never inside a surrogate pair)
// so the whole name has at most maxNameChars characters. Nothing when even a one-character
// record does not fit, or when 9999 names are taken.
std::optional<std::wstring> ChooseScreenshotName(const std::wstring& record, const LocalStamp& time,
                                                 std::size_t maxNameChars,
                                                 const std::function<bool(const std::wstring&)>& taken);

// Whether `path` names a screenshot file directly inside `folder`: "<folder>\<name>.png"
// with the folder's letter case free, and a name that is neither empty nor "." / "..", and
// holds no further folder, no quote and no control character (so that it stays one argument
// on a command line). The text alone: whether the file exists is the caller's question.
bool IsScreenshotPathIn(const std::wstring& path, const std::wstring& folder);
