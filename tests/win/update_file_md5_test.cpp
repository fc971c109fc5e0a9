// The file digest behind the version key, against the test vectors of RFC 1321.
#include "support/Process.h"
#include "update/FileDigest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
std::wstring WriteFileWith(const std::wstring& folder, const std::string& bytes) {
    const std::wstring path = folder + L"\\data.bin";
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (f != INVALID_HANDLE_VALUE) {
        if (!bytes.empty()) ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(f);
    }
    return path;
}
}  // namespace

TEST(FileMd5Hex, MatchesTheRfc1321TestSuite) {
    const std::wstring folder = TempFolder(L"file_md5");
    const std::pair<std::string, std::wstring> vectors[] = {
        {"", L"d41d8cd98f00b204e9800998ecf8427e"},
        {"a", L"0cc175b9c0f1b6a831c399e269772661"},
        {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", L"d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         L"57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, digest] : vectors) EXPECT_EQ(FileMd5Hex(WriteFileWith(folder, text)), digest) << text;
}

TEST(FileMd5Hex, HashesEveryChunkOfALargerFile) {
    // A million "a" (the well-known digest) spans many chunks and ends in a partial one;
    // 1025 bytes leave a last chunk of one byte, which must count.
    const std::wstring folder = TempFolder(L"file_md5_large");
    EXPECT_EQ(FileMd5Hex(WriteFileWith(folder, std::string(1000000, 'a'))), L"7707d6ae4e027c70eea2a935c2296f21");
    EXPECT_EQ(FileMd5Hex(WriteFileWith(folder, std::string(1025, 'a'))).size(), 32u);
    EXPECT_NE(FileMd5Hex(WriteFileWith(folder, std::string(1025, 'a'))),
              FileMd5Hex(WriteFileWith(folder, std::string(1024, 'a'))));
}

TEST(FileMd5Hex, AFileThatCannotBeOpenedHasNoDigest) {
    EXPECT_EQ(FileMd5Hex(TempFolder(L"file_md5_missing") + L"\\absent.exe"), L"");
}

TEST(FileMd5Hex, TheRunningExecutableCanBeHashed) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(FileMd5Hex(self).size(), 32u);
}
