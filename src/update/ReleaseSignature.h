// Checking the operator's signature on a published build, through the platform's CryptoAPI
// (RSA with SHA-256 in the RSA/AES provider, present from Windows XP SP3). No cryptography of
// our own.
#pragma once
#include "update/rules/ReleaseStatement.h"

#include <cstdint>
#include <string>
#include <vector>

// Whether `signature` (PKCS #1 v1.5 over SHA-256, big-endian as OpenSSL writes it) by the key
// whose DER SubjectPublicKeyInfo is `publicKey` covers `statement`. False for a key that is not
// RSA of at least 3072 bits, and wherever the platform cannot tell.
bool VerifyRsaSha256(const std::vector<std::uint8_t>& publicKey, const std::string& statement,
                     const std::vector<std::uint8_t>& signature);

// Whether this build carries the operator's key, so that it takes only signed releases.
bool ReleasesMustBeSigned();
// The claim of a "Sig" value when it is signed by the build's key for the published "Tov" key
// and names a later version than this launcher's; nothing otherwise, with why in `refusal`.
std::optional<ReleaseClaim> VerifiedReleaseClaim(const std::wstring& key, const std::wstring& sigValue,
                                                 std::wstring* refusal = nullptr);
