#include "update/FileDigest.h"

#include "base/Handles.h"

#include <wincrypt.h>

namespace {
const DWORD kChunk = 1024;

std::wstring FileDigestHex(const std::wstring& path, DWORD providerType, ALG_ID algorithm, DWORD digestSize) {
    // Shared for reading and deleting: the running executable is hashed while other
    // programs (and our own swap) may hold it.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::wstring();

    // No key container is needed for a hash; without CRYPT_VERIFYCONTEXT a user without a
    // profile (or a fresh one) would fail here.
    HCRYPTPROV rawProvider = 0;
    if (!::CryptAcquireContextW(&rawProvider, nullptr, nullptr, providerType, CRYPT_VERIFYCONTEXT))
        return std::wstring();
    UniqueCryptProvider provider(rawProvider);

    HCRYPTHASH rawHash = 0;
    if (!::CryptCreateHash(provider.Get(), algorithm, 0, 0, &rawHash)) return std::wstring();
    UniqueCryptHash hash(rawHash);

    BYTE chunk[kChunk];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), chunk, kChunk, &got, nullptr)) return std::wstring();
        if (got == 0) break;
        if (!::CryptHashData(hash.Get(), chunk, got, 0)) return std::wstring();
    }

    BYTE digest[64] = {};
    DWORD size = digestSize;
    if (digestSize > sizeof(digest) || !::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0) ||
        size != digestSize)
        return std::wstring();

    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring hex;
    for (DWORD i = 0; i < size; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 0xF];
    }
    return hex;
}
}  // namespace

std::wstring FileMd5Hex(const std::wstring& path) { return FileDigestHex(path, PROV_RSA_FULL, CALG_MD5, 16); }

std::wstring FileSha256Hex(const std::wstring& path) { return FileDigestHex(path, PROV_RSA_AES, CALG_SHA_256, 32); }
