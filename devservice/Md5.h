#pragma once
#include <string>

// The MD5 digest of the bytes as 32 lower-case hexadecimal digits (OpenSSL computes it).
std::string Md5Hex(const std::string& bytes);
// The SHA-256 digest of the bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);

// The launcher's version key: the digest cut to 32 - n digits followed by the
// version number without its dots (n digits), 32 characters in all.
std::string VersionKey(const std::string& md5hex, const std::string& version);
