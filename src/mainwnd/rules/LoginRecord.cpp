#include "base/rules/CopyDataText.h"
#include "base/rules/Version.h"
#include "mainwnd/rules/LoginRecord.h"

namespace mainwnd {

std::optional<std::wstring> DecodeLoginRecord(std::uintptr_t dataKind, std::size_t byteCount, const void* data) {
    return DecodeCopyDataText(kCopyLoginRecord, dataKind, byteCount, data, kMaxRecordChars);
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
