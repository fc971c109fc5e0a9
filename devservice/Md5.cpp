#include "Md5.h"

#include <openssl/evp.h>

#include <cstdio>

namespace {
std::string HexDigest(const std::string& bytes, const EVP_MD* algorithm)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, algorithm, nullptr) != 1) return std::string();
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}
} // namespace

std::string Md5Hex(const std::string& bytes) { return HexDigest(bytes, EVP_md5()); }

std::string Sha256Hex(const std::string& bytes) { return HexDigest(bytes, EVP_sha256()); }

std::string VersionKey(const std::string& md5hex, const std::string& version)
{
    std::string digits;
    for (char c : version)
        if (c != '.') digits += c;
    size_t keep = digits.size() >= 32 ? 0 : 32 - digits.size();
    return md5hex.substr(0, keep) + digits;
}
