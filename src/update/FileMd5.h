// The MD5 digest of a file, through the platform's CryptoAPI (available since Windows 2000).
#pragma once
#include <string>

// 32 lower-case hex digits of the file's MD5 digest (RFC 1321), read in 1024-byte chunks;
// empty when the file cannot be opened or read.
std::wstring FileMd5Hex(const std::wstring& path);
