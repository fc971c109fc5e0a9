// Digests of a file through the platform's CryptoAPI: MD5 (since Windows 2000) and SHA-256
// (the RSA/AES provider, from Windows XP SP3).
#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>

// SHA-256 (algorithm id 12) came with XP SP3; the headers show it only to builds that
// require that.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)
#endif

// 32 lower-case hex digits of the file's MD5 digest (RFC 1321), read in 1024-byte chunks;
// empty when the file cannot be opened or read.
std::wstring FileMd5Hex(const std::wstring& path);
// 64 lower-case hex digits of the file's SHA-256 digest; empty as above, and where the
// system has no SHA-256.
std::wstring FileSha256Hex(const std::wstring& path);
