#include "mainwnd/rules/LoginRecord.h"
#include "app/rules/Version.h"

#include <cstring>

namespace mainwnd {

std::optional<std::wstring> DecodeLoginRecord(std::uintptr_t dataKind, std::size_t byteCount, const void* data) {
    if (dataKind != 0 || data == nullptr || byteCount < 4 || byteCount % 2 != 0) return std::nullopt;
    const std::size_t units = byteCount / 2;
    if (units - 1 > kMaxRecordChars) return std::nullopt;
    std::vector<std::uint16_t> utf16(units);
    std::memcpy(utf16.data(), data, byteCount);
    if (utf16.back() != 0) return std::nullopt;
    std::wstring record;
    record.reserve(units - 1);
    for (std::size_t i = 0; i + 1 < units; ++i) {
        if (utf16[i] == 0) return std::nullopt;  // text shorter than it claims
        record.push_back(static_cast<wchar_t>(utf16[i]));
    }
    return record;
}

std::wstring AccountOf(const std::wstring& record) {
    const size_t dash = record.find_last_of(L'-');
    return dash == std::wstring::npos ? record : record.substr(dash + 1);
}

std::wstring LoginReportUrl(const std::wstring& clientHost, const std::wstring& account, int index) {
    return L"http://" + clientHost + L"/login.htm?tag=tov&ver=" QH_CLIENT_VERSION L"&uid=" + account + L"&index=" +
           std::to_wstring(index);
}

}  // namespace mainwnd
