// Text in copy-data messages between the launcher's windows, from senders it cannot trust.
#include "base/rules/CopyDataText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
std::optional<std::wstring> Decode(std::uintptr_t kind, const std::vector<std::uint16_t>& units, std::size_t max = 64) {
    return DecodeCopyDataText(kCopyScreenshotSaved, kind, units.size() * 2, units.data(), max);
}
}  // namespace

TEST(CopyDataText, WhatIsEncodedDecodesUnderItsOwnKind) {
    const std::wstring path = L"C:\\Users\\玩家\\Pictures\\QuarnelHalvira\\s1_20260307_210509.png";
    const auto units = EncodeCopyDataText(path);
    EXPECT_EQ(units.back(), 0);
    EXPECT_EQ(Decode(kCopyScreenshotSaved, units, 260), path);
    EXPECT_FALSE(Decode(kCopyScreenshotFailed, units, 260));
    EXPECT_FALSE(Decode(kCopyLoginRecord, units, 260));
}

TEST(CopyDataText, MalformedMessagesAreRefused) {
    const auto units = EncodeCopyDataText(L"abc");
    EXPECT_FALSE(DecodeCopyDataText(kCopyScreenshotSaved, kCopyScreenshotSaved, 8, nullptr, 64));  // no data
    EXPECT_FALSE(DecodeCopyDataText(kCopyScreenshotSaved, kCopyScreenshotSaved, 7, units.data(), 64));  // odd
    EXPECT_FALSE(DecodeCopyDataText(kCopyScreenshotSaved, kCopyScreenshotSaved, 2, units.data(), 64));  // no text
    EXPECT_FALSE(DecodeCopyDataText(kCopyScreenshotSaved, kCopyScreenshotSaved, 0, units.data(), 64));
    EXPECT_FALSE(Decode(kCopyScreenshotSaved, {'a', 'b', 'c'}));        // no terminator
    EXPECT_FALSE(Decode(kCopyScreenshotSaved, {'a', 0, 'c', 0}));       // shorter than it claims
    EXPECT_FALSE(Decode(kCopyScreenshotSaved, EncodeCopyDataText(std::wstring(65, L'x'))));  // too long
    EXPECT_EQ(Decode(kCopyScreenshotSaved, EncodeCopyDataText(std::wstring(64, L'x'))), std::wstring(64, L'x'));
}
