#include "update/ReleaseSignature.h"

#include "base/Config.h"
#include "base/Handles.h"
#include "base/SystemLibrary.h"
#include "base/rules/Version.h"
#include "update/FileDigest.h"

#include <wincrypt.h>

namespace {
constexpr DWORD kMinKeyBits = 3072;

// The certificate library is loaded only here, while a published release is checked: at
// every start it would cost about half a megabyte for a few calls made at most once.
UniqueCryptKey ImportPublicKey(HCRYPTPROV provider, const std::vector<std::uint8_t>& der) {
    if (der.empty() || der.size() > 0x10000) return {};
    const UniqueLibrary crypt32(LoadSystemLibrary(L"crypt32.dll"));
    const auto decodeObject = LibraryFunction<decltype(&::CryptDecodeObjectEx)>(crypt32.Get(), "CryptDecodeObjectEx");
    const auto importKey =
        LibraryFunction<decltype(&::CryptImportPublicKeyInfo)>(crypt32.Get(), "CryptImportPublicKeyInfo");
    if (!decodeObject || !importKey) return {};
    void* decoded = nullptr;
    DWORD size = 0;
    if (!decodeObject(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, der.data(), static_cast<DWORD>(der.size()),
                      CRYPT_DECODE_ALLOC_FLAG, nullptr, &decoded, &size))
        return {};
    const UniqueLocalMemory info(decoded);
    HCRYPTKEY key = 0;
    if (!importKey(provider, X509_ASN_ENCODING, static_cast<CERT_PUBLIC_KEY_INFO*>(info.Get()), &key)) return {};
    // The key belongs to the provider, not to the library: it outlives the library's unloading.
    return UniqueCryptKey(key);
}

// The key's length in bits when it is an RSA key; 0 for any other.
DWORD RsaKeyBits(HCRYPTKEY key) {
    ALG_ID algorithm = 0;
    DWORD bits = 0;
    DWORD size = sizeof(algorithm);
    if (!::CryptGetKeyParam(key, KP_ALGID, reinterpret_cast<BYTE*>(&algorithm), &size, 0)) return 0;
    size = sizeof(bits);
    if (!::CryptGetKeyParam(key, KP_KEYLEN, reinterpret_cast<BYTE*>(&bits), &size, 0)) return 0;
    return algorithm == CALG_RSA_KEYX || algorithm == CALG_RSA_SIGN ? bits : 0;
}

std::vector<std::uint8_t> BuildKey() {
    return std::vector<std::uint8_t>(config::kReleaseKey, config::kReleaseKey + config::kReleaseKeySize);
}
}  // namespace

bool VerifyRsaSha256(const std::vector<std::uint8_t>& publicKey, const std::string& statement,
                     const std::vector<std::uint8_t>& signature) {
    if (signature.empty() || signature.size() > 1024 || statement.empty()) return false;
    HCRYPTPROV rawProvider = 0;
    if (!::CryptAcquireContextW(&rawProvider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return false;
    const UniqueCryptProvider provider(rawProvider);
    const UniqueCryptKey key = ImportPublicKey(provider.Get(), publicKey);
    // The signature is as long as the key: a shorter one would be read with leading zeros.
    const DWORD bits = key ? RsaKeyBits(key.Get()) : 0;
    if (bits < kMinKeyBits || signature.size() != (bits + 7) / 8) return false;

    HCRYPTHASH rawHash = 0;
    if (!::CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, &rawHash)) return false;
    const UniqueCryptHash hash(rawHash);
    if (!::CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(statement.data()), static_cast<DWORD>(statement.size()),
                         0))
        return false;
    // CryptoAPI takes the signature little-endian.
    std::vector<BYTE> reversed(signature.rbegin(), signature.rend());
    return ::CryptVerifySignatureW(hash.Get(), reversed.data(), static_cast<DWORD>(reversed.size()), key.Get(), nullptr,
                                   0) != FALSE;
}

bool ReleasesMustBeSigned() { return config::kReleaseKeySize != 0; }

std::optional<ReleaseClaim> VerifiedReleaseClaim(const std::wstring& key, const std::wstring& sigValue,
                                                 std::wstring* refusal) {
    const auto refuse = [&](const wchar_t* why) {
        if (refusal) *refusal = why;
        return std::nullopt;
    };
    if (!ReleasesMustBeSigned()) return refuse(L"this build carries no release key");
    if (sigValue.empty()) return refuse(L"no signature");
    std::optional<ReleaseClaim> claim = ParseReleaseClaim(sigValue);
    if (!claim) return refuse(L"a malformed signature");
    if (!IsNewerVersion(claim->version, kClientVersion)) return refuse(L"not newer than this build");
    const std::optional<std::string> statement = ReleaseStatement(key, *claim);
    if (!statement) return refuse(L"a key no statement can hold");
    if (!VerifyRsaSha256(BuildKey(), *statement, claim->signature)) return refuse(L"the signature does not verify");
    return claim;
}
