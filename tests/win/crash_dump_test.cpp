// A crashing process leaves one minidump beside its executable.
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "base/Paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::wstring CopyCrasher(const std::wstring& folder, const std::wstring& name) {
    const std::wstring target = folder + L"\\" + name;
    EXPECT_TRUE(::CopyFileW((TestsDirectory() + L"\\crasher.exe").c_str(), target.c_str(), FALSE));
    return target;
}

// A minidump starts with the signature "MDMP".
bool IsMiniDump(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char signature[4] = {};
    DWORD read = 0;
    return file && ::ReadFile(file.Get(), signature, 4, &read, nullptr) && read == 4 &&
           std::string(signature, 4) == "MDMP";
}

int CountFiles(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    return count;
}

void RunToCrash(const std::wstring& exe, const wchar_t* mode) {
    ChildProcess child;
    ASSERT_TRUE(child.Start(exe, mode));
    ASSERT_TRUE(child.WaitForExit(30000));
    EXPECT_NE(child.ExitCode(), 0u);
}
}  // namespace

TEST(CrashDump, CrashWritesAMiniDumpNamedAfterTheExecutable) {
    const std::wstring folder = TempFolder(L"dump_one");
    const std::wstring exe = CopyCrasher(folder, L"game.launcher.exe");
    RunToCrash(exe, L"crash");
    EXPECT_TRUE(IsMiniDump(folder + L"\\game.launcher.dmp"));
    // The executable, its dump and the support log's line naming the dump; nothing else.
    EXPECT_EQ(CountFiles(folder), 3);
    const std::string text = FileContent(folder + L"\\QuarnelHalvira.log");
    EXPECT_NE(text.find("game.launcher.dmp"), std::string::npos) << text;
}

TEST(CrashDump, SecondCrashOfTheSameProcessWritesNoFurtherDump) {
    const std::wstring folder = TempFolder(L"dump_twice");
    const std::wstring exe = CopyCrasher(folder, L"crasher.exe");
    RunToCrash(exe, L"twice");
    EXPECT_TRUE(IsMiniDump(folder + L"\\crasher.first"));
    EXPECT_FALSE(PathExists(folder + L"\\crasher.dmp"));
}

TEST(CrashDump, ExecutableWithoutDotInItsNameWritesNothing) {
    const std::wstring parent = TempFolder(L"dump.parent");
    const std::wstring folder = parent + L"\\nodot";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring exe = CopyCrasher(folder, L"crasher");
    RunToCrash(exe, L"crash");
    EXPECT_EQ(CountFiles(folder), 1);
    // Nor a dump cut at the dot of a folder name ("...\qh_tests_dump.dmp").
    EXPECT_FALSE(PathExists(parent.substr(0, parent.find_last_of(L'.')) + L".dmp"));
}
