#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// MD5 (RFC 1321), the digest the launcher builds its version key from.
class Md5 {
public:
    Md5();
    void Update(const void* data, size_t size);
    // 32 lower-case hexadecimal digits. Ends the computation.
    std::string HexDigest();

private:
    void Block(const unsigned char* p);
    uint32_t m_state[4];
    uint64_t m_length = 0;
    unsigned char m_buffer[64];
    size_t m_used = 0;
};

std::string Md5Hex(const std::string& bytes);

// The launcher's version key: the digest cut to 32 - n digits followed by the
// version number without its dots (n digits), 32 characters in all.
std::string VersionKey(const std::string& md5hex, const std::string& version);
