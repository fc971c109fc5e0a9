// "%XX" escapes, written once for every address this program builds.
#pragma once
#include <string>

// `text` with each character for which mustEncode answers true replaced by "%" and two
// upper-case hex digits. Only for characters below U+0100 (the chosen ones always are).
std::wstring PercentEncode(const std::wstring& text, bool (*mustEncode)(wchar_t));
