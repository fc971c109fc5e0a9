// The login record a game process hands to its main window: "server-account".
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mainwnd {

constexpr size_t kMaxRecordChars = 512;

// The record in a copy-data message, or nothing when it is not one: data kind other than
// 0, an odd or empty byte count, no terminator in the last character, longer than 512
// characters, or a terminator before the end. Never reads past `byteCount`.
std::optional<std::wstring> DecodeLoginRecord(std::uintptr_t dataKind, std::size_t byteCount, const void* data);

// The text after the last "-"; the whole record when it has none.
std::wstring AccountOf(const std::wstring& record);

// The login report on the client-service host, index counting from 1.
std::wstring LoginReportUrl(const std::wstring& clientHost, const std::wstring& account, int index);

}  // namespace mainwnd
