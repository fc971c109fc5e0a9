// The operator's signed word on a published build. The version file's "Sig" value carries
// what the operator claims about the build (its version, the executable's length and SHA-256)
// and an RSA signature over a statement that binds these to the published "Tov" key. Older
// launchers read only "Tov" and "UpdAddr", so one version file serves both.
//
//   Sig=<version>,<length>,<SHA-256 hex>,<signature in base64>
//
// The statement signed (ASCII, each line ended by "\n"):
//   QuarnelHalvira release
//   Tov=<the published key, as the version file gives it>
//   Version=<version>
//   Length=<length in decimal>
//   SHA256=<SHA-256, 64 lower-case hex digits>
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A longer "Sig" is refused unread: an 8192-bit signature and its claims fit easily.
inline constexpr std::size_t kMaxReleaseClaimChars = 2048;

struct ReleaseClaim {
    std::wstring version;       // four dotted numbers, each at most 65535
    std::uint32_t length = 0;   // bytes, at least 1
    std::wstring sha256;        // 64 lower-case hex digits
    std::vector<std::uint8_t> signature;  // big-endian, as OpenSSL writes it: 384 to 1024 bytes
};

// The claim of a "Sig" value; nothing when any part is malformed or out of range.
std::optional<ReleaseClaim> ParseReleaseClaim(const std::wstring& value);

// The statement the signature must cover; nothing when the key is empty or holds anything but
// printable ASCII (a line break would let one statement pass for another).
std::optional<std::string> ReleaseStatement(const std::wstring& key, const ReleaseClaim& claim);

// Whether `candidate` is a later version than `current` (both four dotted numbers); false when
// either is malformed.
bool IsNewerVersion(const std::wstring& candidate, const std::wstring& current);

// Standard base64 with "=" padding; nothing for any other character, a wrong length or bits
// left over.
std::optional<std::vector<std::uint8_t>> DecodeBase64(const std::wstring& text);
