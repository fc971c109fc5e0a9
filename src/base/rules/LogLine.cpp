#include "base/rules/LogLine.h"

namespace {
std::wstring Digits(int value, int width) {
    std::wstring text = std::to_wstring(value < 0 ? 0 : value);
    while (static_cast<int>(text.size()) < width) text.insert(0, 1, L'0');
    return text;
}
}  // namespace

std::wstring LogLine(const LogStamp& t, unsigned long processId, const std::wstring& mode, const std::wstring& event) {
    std::wstring text = event;
    for (wchar_t& c : text) {
        if (c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029) c = L' ';
    }
    return Digits(t.year, 4) + L"-" + Digits(t.month, 2) + L"-" + Digits(t.day, 2) + L" " + Digits(t.hour, 2) + L":" +
           Digits(t.minute, 2) + L":" + Digits(t.second, 2) + L"." + Digits(t.milliseconds, 3) + L" [" +
           std::to_wstring(processId) + L"] " + (mode.empty() ? std::wstring(L"-") : mode) + L": " + text + L"\r\n";
}

std::wstring AddressForLog(const std::wstring& url) { return url.substr(0, url.find_first_of(L"?#")); }

std::wstring ServerForLog(const std::wstring& record) {
    const size_t dash = record.find_last_of(L'-');
    return dash == std::wstring::npos ? std::wstring() : record.substr(0, dash);
}

bool LogNeedsRotation(std::uint64_t currentBytes, std::size_t lineBytes) {
    return currentBytes > 0 && currentBytes + lineBytes > kMaxLogBytes;
}
