#include "base/rules/CopyDataText.h"
#include "base/rules/PercentEncode.h"
#include "base/rules/Version.h"
#include "mainwnd/rules/LoginRecord.h"

#include <cwchar>

namespace mainwnd {

std::optional<std::wstring> DecodeLoginRecord(std::uintptr_t dataKind, std::size_t byteCount, const void* data) {
    return DecodeCopyDataText(kCopyLoginRecord, dataKind, byteCount, data, kMaxRecordChars);
}

std::wstring AccountOf(const std::wstring& record) {
    const size_t dash = record.find_last_of(L'-');
    return dash == std::wstring::npos ? record : record.substr(dash + 1);
}

namespace {
// What would end the value, add a parameter or break the request line; every other character
// (letters, digits, Chinese, "-", "_", ".") goes as it is, as it always has.
bool ReservedInQuery(wchar_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0x9F) || std::wcschr(L"\"#%&+/:;<=>?@[\\]^`{|}", c) != nullptr;
}
}  // namespace

std::wstring LoginReportUrl(const std::wstring& clientHost, const std::wstring& account, int index) {
    return L"http://" + clientHost + L"/login.htm?tag=tov&ver=" QH_CLIENT_VERSION L"&uid=" +
           PercentEncode(account, ReservedInQuery) + L"&index=" + std::to_wstring(index);
}

}  // namespace mainwnd
