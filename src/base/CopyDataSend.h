// Sends text to a window of another of the launcher's processes as a copy-data message.
#pragma once
#include "base/rules/CopyDataText.h"

#include <windows.h>

#include <optional>
#include <string>

// The receiver's answer, or nothing when the receiver is gone, hung or took longer than
// timeoutMs. `from` goes along as the sender's window (null when there is none).
std::optional<LRESULT> SendCopyDataText(HWND to, HWND from, CopyDataKind kind, const std::wstring& text,
                                        UINT timeoutMs);
