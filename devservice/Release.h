#pragma once
#include <string>

// The operator's side of a signed release, as scripts/publish does it with the openssl
// command: the statement the launcher checks, signed with a PEM private key.

// What the operator signs (ASCII, each line ended by "\n"): "QuarnelHalvira release",
// "Tov=<key>", "Version=<version>", "Length=<length>", "SHA256=<hex>".
std::string ReleaseStatement(const std::string& key, const std::string& version, size_t length,
                             const std::string& sha256hex);

// The statement's RSA signature (PKCS #1 v1.5, SHA-256) by the PEM private key, in base64;
// empty when the key cannot be read or signing fails.
std::string SignBase64(const std::string& pemPath, const std::string& text);

// The version file's "Sig" value: "<version>,<length>,<sha256>,<signature>".
std::string ReleaseClaim(const std::string& version, size_t length, const std::string& sha256hex,
                         const std::string& signatureBase64);

// "3.0.0.1" -> "3.0.0.2": the version a published build has by default.
std::string NextVersion(const std::string& version);
