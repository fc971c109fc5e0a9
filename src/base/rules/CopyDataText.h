// Text carried by a copy-data message between the launcher's processes: UTF-16 with its
// terminator, tagged by the message's data kind. Any process may send such a message, so
// the decoding trusts nothing the sender claims.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a copy-data message between the launcher's windows carries.
enum CopyDataKind : std::uintptr_t {
    kCopyLoginRecord = 0,            // login window -> main window: the record of the login
    kCopyScreenshotRequest = 0x5153, // main window -> tab frame: capture, named after this record
    kCopyScreenshotSaved = 0x5154,   // tab frame -> main window: the saved file's full path
    kCopyScreenshotFailed = 0x5155,  // tab frame -> main window: why nothing was saved
};

// The bytes to send for `text`: its UTF-16 code units and a terminator.
std::vector<std::uint16_t> EncodeCopyDataText(const std::wstring& text);

// The text, or nothing when the message is not one of `expectedKind`: another data kind,
// no data, an odd byte count, fewer than two units, no terminator in the last unit, a
// terminator before it, or more than maxChars characters. Never reads past byteCount.
std::optional<std::wstring> DecodeCopyDataText(std::uintptr_t expectedKind, std::uintptr_t dataKind,
                                               std::size_t byteCount, const void* data, std::size_t maxChars);
