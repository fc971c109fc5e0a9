// The version key that names one build of the launcher: the leading hex digits of the
// executable's MD5 digest followed by its version number without dots, 32 characters in all.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kVersionKeyLength = 32;

// "3.0.0.1" -> "3001".
std::wstring DotlessVersion(std::wstring_view version);

// The first 32 - n digits of the digest, then the n version digits. Empty when the digest is
// not 32 hex digits (the executable could not be read): such a build has no key.
std::wstring ComposeVersionKey(std::wstring_view digestHex, std::wstring_view version);

// Whether the operator publishes another build than this one: any difference but letter
// case counts, newer or older. No key on either side means no update.
bool IsOtherBuildPublished(std::wstring_view serverKey, std::wstring_view localKey);

// Whether a downloaded file's digest is the one the server key announces: its first 32 - n
// hex digits equal the key's first 32 - n characters, letter case aside.
bool DigestMatchesKey(std::wstring_view digestHex, std::wstring_view serverKey, std::wstring_view version);
