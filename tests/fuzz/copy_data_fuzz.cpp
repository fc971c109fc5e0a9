// Copy-data messages any process may send the launcher's windows, and the screenshot file
// name a decoded record leads to.
#include "base/rules/CopyDataText.h"
#include "features/rules/ScreenshotName.h"
#include "FuzzInput.h"
#include "mainwnd/rules/LoginRecord.h"

#include <cwchar>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the message kind; the rest is the message's data, exactly as long.
    const std::uintptr_t kinds[] = {kCopyLoginRecord, kCopyScreenshotRequest, kCopyScreenshotSaved,
                                    kCopyScreenshotFailed, 7};
    const std::uintptr_t kind = kinds[data[0] % 5];
    const std::vector<uint8_t> body(data + 1, data + size);
    const void* bytes = body.empty() ? nullptr : body.data();
    const auto login = mainwnd::DecodeLoginRecord(kind, body.size(), bytes);
    const auto text = DecodeCopyDataText(kCopyScreenshotRequest, kind, body.size(), bytes, 1024);
    for (const auto* decoded : {&login, &text}) {
        if (!*decoded) continue;
        FUZZ_CHECK((*decoded)->find(L'\0') == std::wstring::npos);
        // Whatever the record holds, the name stays inside the folder and within the limit.
        // (Room for two characters of the record always leaves at least one: a surrogate
        // pair is never cut, so a single character's room may stay empty.)
        const size_t limit = 22 + data[0] % 240;
        const auto name = ChooseScreenshotName(**decoded, LocalStamp{2026, 1, 2, 3, 4, 5}, limit,
                                               [](const std::wstring&) { return false; });
        FUZZ_CHECK(name.has_value());
        FUZZ_CHECK(name->size() <= limit);
        for (wchar_t c : *name) FUZZ_CHECK(c >= 32 && std::wcschr(L"\\/:*?\"<>|", c) == nullptr);
    }
    return 0;
}
