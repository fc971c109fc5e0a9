#include "features/rules/ScreenshotName.h"

#include <cwchar>

namespace {
constexpr int kMaxSuffix = 9999;

bool CannotBeInFileName(wchar_t c) {
    return c < 32 || std::wcschr(L"\\/:*?\"<>|", c) != nullptr;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

std::wstring TwoDigits(int value) {
    std::wstring text = std::to_wstring(value);
    return text.size() < 2 ? L"0" + text : text;
}

// "_yyyyMMdd_HHmmss"
std::wstring StampPart(const LocalStamp& t) {
    std::wstring year = std::to_wstring(t.year);
    while (year.size() < 4) year.insert(0, 1, L'0');
    return L"_" + year + TwoDigits(t.month) + TwoDigits(t.day) + L"_" + TwoDigits(t.hour) + TwoDigits(t.minute) +
           TwoDigits(t.second);
}

std::wstring FirstChars(const std::wstring& text, std::size_t count) {
    if (text.size() <= count) return text;
    std::wstring cut = text.substr(0, count);
    if (!cut.empty() && IsHighSurrogate(cut.back())) cut.pop_back();
    return cut;
}
}  // namespace

std::wstring FileNameSafe(const std::wstring& record) {
    if (record.empty()) return L"QuarnelHalvira";
    std::wstring safe = record;
    for (wchar_t& c : safe) {
        if (CannotBeInFileName(c)) c = L'_';
    }
    return safe;
}

std::optional<std::wstring> ChooseScreenshotName(const std::wstring& record, const LocalStamp& time,
                                                 std::size_t maxNameChars,
                                                 const std::function<bool(const std::wstring&)>& taken) {
    const std::wstring safe = FileNameSafe(record);
    const std::wstring stamp = StampPart(time);
    for (int n = 1; n <= kMaxSuffix; ++n) {
        const std::wstring tail = stamp + (n == 1 ? L"" : L"_" + std::to_wstring(n)) + L".png";
        if (maxNameChars <= tail.size()) return std::nullopt;
        const std::wstring head = FirstChars(safe, maxNameChars - tail.size());
        if (head.empty()) return std::nullopt;
        const std::wstring name = head + tail;
        if (!taken(name)) return name;
    }
    return std::nullopt;
}

namespace {
wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}
}  // namespace

bool IsScreenshotPathIn(const std::wstring& path, const std::wstring& folder) {
    if (folder.empty() || path.size() <= folder.size() + 1 || path[folder.size()] != L'\\') return false;
    if (!SameIgnoringAsciiCase(path.substr(0, folder.size()), folder)) return false;
    const std::wstring name = path.substr(folder.size() + 1);
    const std::wstring extension = L".png";
    if (name.size() <= extension.size() || !SameIgnoringAsciiCase(name.substr(name.size() - 4), extension)) return false;
    for (wchar_t c : name) {
        if (CannotBeInFileName(c)) return false;
    }
    return true;
}
