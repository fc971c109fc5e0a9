#include "update/FileMd5.h"

#include "base/Handles.h"

#include <wincrypt.h>

namespace {
namespace traits {
struct CryptProvider {
    using Handle = HCRYPTPROV;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptReleaseContext(h, 0); }
};
struct CryptHash {
    using Handle = HCRYPTHASH;
    static Handle Invalid() { return 0; }
    static void Close(Handle h) { ::CryptDestroyHash(h); }
};
}  // namespace traits

using UniqueCryptProvider = UniqueResource<traits::CryptProvider>;
using UniqueCryptHash = UniqueResource<traits::CryptHash>;

const DWORD kChunk = 1024;
}  // namespace

std::wstring FileMd5Hex(const std::wstring& path) {
    // Shared for reading and deleting: the running executable is hashed while other
    // programs (and our own swap) may hold it.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::wstring();

    // No key container is needed for a hash; without CRYPT_VERIFYCONTEXT a user without a
    // profile (or a fresh one) would fail here.
    HCRYPTPROV rawProvider = 0;
    if (!::CryptAcquireContextW(&rawProvider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
        return std::wstring();
    UniqueCryptProvider provider(rawProvider);

    HCRYPTHASH rawHash = 0;
    if (!::CryptCreateHash(provider.Get(), CALG_MD5, 0, 0, &rawHash)) return std::wstring();
    UniqueCryptHash hash(rawHash);

    BYTE chunk[kChunk];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), chunk, kChunk, &got, nullptr)) return std::wstring();
        if (got == 0) break;
        if (!::CryptHashData(hash.Get(), chunk, got, 0)) return std::wstring();
    }

    BYTE digest[16] = {};
    DWORD size = sizeof(digest);
    if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0) || size != sizeof(digest)) return std::wstring();

    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring hex;
    for (BYTE b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 0xF];
    }
    return hex;
}
