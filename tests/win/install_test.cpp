// The pieces of install and uninstall: shortcuts, file counting, the batch that deletes the
// executable after its process has ended.
#include "app/SelfDelete.h"
#include "app/Shortcuts.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "support/Registry.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

void Touch(const std::wstring& path) { UniqueFile(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)); }

std::string ReadAll(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text(4096, '\0');
    DWORD read = 0;
    if (file) ::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    text.resize(read);
    return text;
}

struct LinkInfo {
    std::wstring target, arguments, directory, description, icon;
    int iconIndex = -1;
};

LinkInfo ReadLink(const std::wstring& path) {
    LinkInfo info;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(path.c_str(), STGM_READ))) {
        return info;
    }
    wchar_t text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, 0);
    info.target = text;
    link->GetArguments(text, MAX_PATH);
    info.arguments = text;
    link->GetWorkingDirectory(text, MAX_PATH);
    info.directory = text;
    link->GetDescription(text, MAX_PATH);
    info.description = text;
    link->GetIconLocation(text, MAX_PATH, &info.iconIndex);
    info.icon = text;
    return info;
}

std::wstring ProgramsFolder() { return ShellFolder(CSIDL_PROGRAMS) + L"\\" + kProgramsFolderName; }
}  // namespace

TEST(Install, CountFilesCountsFilesInEverySubfolder) {
    const std::wstring root = TempFolder(L"count");
    EXPECT_EQ(CountFiles(root), 0);
    ::CreateDirectoryW((root + L"\\sub").c_str(), nullptr);
    ::CreateDirectoryW((root + L"\\sub\\deeper").c_str(), nullptr);
    EXPECT_EQ(CountFiles(root), 0);  // folders are not files
    Touch(root + L"\\a");
    Touch(root + L"\\sub\\deeper\\b");
    EXPECT_EQ(CountFiles(root), 2);
    EXPECT_EQ(CountFiles(root + L"\\"), 2);
    EXPECT_EQ(CountFiles(root + L"\\missing"), 1);  // cannot be listed
    EXPECT_EQ(CountFiles(L""), 0);
}

TEST(Install, StartMenuShortcutsPointAtTheExecutableAndGoAgain) {
    const ComScope com;
    const std::wstring target = TempFolder(L"target") + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW((TestsDirectory() + L"\\crasher.exe").c_str(), target.c_str(), FALSE));
    ASSERT_TRUE(CreateProgramsShortcut(L"/TovD", target, L"QuarnelHalvira"));
    ASSERT_TRUE(CreateProgramsShortcut(L"/uninst", target, L"卸载 QuarnelHalvira"));
    const LinkInfo start = ReadLink(ProgramsFolder() + L"\\QuarnelHalvira.lnk");
    EXPECT_EQ(start.target, target);
    EXPECT_EQ(start.icon, target);
    EXPECT_EQ(start.arguments, L"/TovD");
    EXPECT_EQ(start.directory, target.substr(0, target.rfind(L'\\')));
    EXPECT_EQ(start.iconIndex, 0);
    EXPECT_EQ(start.description, L"");
    EXPECT_EQ(ReadLink(ProgramsFolder() + L"\\卸载 QuarnelHalvira.lnk").arguments, L"/uninst");
    // No target, no name: nothing made.
    EXPECT_FALSE(CreateProgramsShortcut(L"/TovD", target + L".missing", L"Other"));
    EXPECT_FALSE(CreateProgramsShortcut(L"/TovD", target, L""));
    EXPECT_FALSE(PathExists(ProgramsFolder() + L"\\Other.lnk"));

    // A file someone left in a subfolder keeps the folder.
    ::CreateDirectoryW((ProgramsFolder() + L"\\extra").c_str(), nullptr);
    Touch(ProgramsFolder() + L"\\extra\\note.txt");
    EXPECT_TRUE(RemoveShortcuts());
    EXPECT_FALSE(PathExists(ProgramsFolder() + L"\\QuarnelHalvira.lnk"));
    EXPECT_FALSE(PathExists(ProgramsFolder() + L"\\卸载 QuarnelHalvira.lnk"));
    EXPECT_TRUE(PathExists(ProgramsFolder()));
    ::DeleteFileW((ProgramsFolder() + L"\\extra\\note.txt").c_str());
    EXPECT_TRUE(RemoveShortcuts());
    EXPECT_TRUE(PathExists(ProgramsFolder()));  // an empty subfolder holds no file...
    ::RemoveDirectoryW((ProgramsFolder() + L"\\extra").c_str());
    EXPECT_TRUE(RemoveShortcuts());
    EXPECT_FALSE(PathExists(ProgramsFolder()));  // ...but the folder goes once nothing is left
}

TEST(Install, DesktopShortcutCarriesNameArgumentsAndDescription) {
    const ComScope com;
    const std::wstring target = TempFolder(L"desktop") + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW((TestsDirectory() + L"\\crasher.exe").c_str(), target.c_str(), FALSE));
    ASSERT_TRUE(CreateDesktopShortcut(target));
    const std::wstring path = ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"\\QuarnelHalvira.lnk";
    const LinkInfo link = ReadLink(path);
    EXPECT_EQ(link.arguments, L"/TovD");
    EXPECT_EQ(link.description, L"QuarnelHalvira");
    EXPECT_FALSE(CreateDesktopShortcut(target + L".missing"));
    EXPECT_TRUE(DeleteDesktopShortcut(L"QuarnelHalvira"));
    EXPECT_FALSE(PathExists(path));
    EXPECT_FALSE(DeleteDesktopShortcut(L"QuarnelHalvira"));
}

TEST(Install, UninstalledExecutableIsDeletedAfterItsProcessEnds) {
    // Alone in its folder: the folder goes too.
    const std::wstring alone = TempFolder(L"selfdelete_alone");
    const std::wstring exe = alone + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW((TestsDirectory() + L"\\self_deleter.exe").c_str(), exe.c_str(), FALSE));
    ChildProcess first;
    ASSERT_TRUE(first.Start(exe, L""));
    EXPECT_TRUE(first.WaitForExit(20000));
    EXPECT_TRUE(WaitUntil([&] { return !PathExists(exe) && !PathExists(alone); }, 60000));

    // With the settings file beside it: only the executable goes.
    const std::wstring shared = TempFolder(L"selfdelete_shared");
    const std::wstring exe2 = shared + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW((TestsDirectory() + L"\\self_deleter.exe").c_str(), exe2.c_str(), FALSE));
    Touch(shared + L"\\Statistic.ini");
    ChildProcess second;
    ASSERT_TRUE(second.Start(exe2, L""));
    EXPECT_TRUE(second.WaitForExit(20000));
    EXPECT_TRUE(WaitUntil([&] { return !PathExists(exe2); }, 60000));
    PumpMessagesFor(2000);
    EXPECT_TRUE(PathExists(shared + L"\\Statistic.ini"));
}

TEST(Install, DeleteBatchGivesUpOnAnExecutableThatCannotBeDeleted) {
    const std::wstring folder = TempFolder(L"selfdelete_held");
    const std::wstring exe = folder + L"\\QuarnelHalvira.exe";
    Touch(exe);
    // Another copy of the program holds it: no deletion can succeed.
    const UniqueFile held(::CreateFileW(exe.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const UniqueHandle batch = PendingSelfDeletion::Arrange(exe, 2).Start();
    ASSERT_TRUE(batch);
    // The batch ends by itself, without deleting anything beside it.
    EXPECT_EQ(::WaitForSingleObject(batch.Get(), 120000), WAIT_OBJECT_0);
    EXPECT_TRUE(PathExists(exe));
    EXPECT_TRUE(PathExists(folder));
}

// "%" in a path, and a character whose byte differs between the ANSI and the console code page
// (this prefix is Western: 1252 and 437), in which the command interpreter reads the batch.
TEST(Install, DeleteBatchFindsPathsWithPercentAndAccentedLetters) {
    ASSERT_NE(::GetACP(), ::GetOEMCP()) << "the test needs a system whose two code pages differ";
    for (const wchar_t* name : {L"selfdelete_100%TEMP%", L"selfdelete_Jos\u00e9"}) {
        const std::wstring folder = TempFolder(name);
        const std::wstring exe = folder + L"\\QuarnelHalvira.exe";
        Touch(exe);
        PendingSelfDeletion deletion = PendingSelfDeletion::Arrange(exe, 30);
        EXPECT_EQ(deletion.Way(), SelfDeletion::Batch);
        const UniqueHandle batch = deletion.Start();
        ASSERT_TRUE(batch);
        EXPECT_EQ(::WaitForSingleObject(batch.Get(), 120000), WAIT_OBJECT_0);
        EXPECT_FALSE(PathExists(exe)) << testing::PrintToString(std::wstring(name));
        EXPECT_FALSE(PathExists(folder));
    }
}

namespace {
std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(::towupper(c)); });
    return text;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFileFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

// The temporary folder of this process (and of what it starts) is `folder` while one lives.
class TemporaryFolderAt {
public:
    explicit TemporaryFolderAt(const std::wstring& folder) : m_tmp(Get(L"TMP")), m_temp(Get(L"TEMP")) {
        ::SetEnvironmentVariableW(L"TMP", folder.c_str());
        ::SetEnvironmentVariableW(L"TEMP", folder.c_str());
    }
    ~TemporaryFolderAt() {
        ::SetEnvironmentVariableW(L"TMP", m_tmp.c_str());
        ::SetEnvironmentVariableW(L"TEMP", m_temp.c_str());
    }

private:
    static std::wstring Get(const wchar_t* name) {
        wchar_t value[MAX_PATH] = {};
        ::GetEnvironmentVariableW(name, value, MAX_PATH);
        return value;
    }
    std::wstring m_tmp, m_temp;
};

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingRenames[] = L"PendingFileRenameOperations";
}  // namespace

TEST(Install, ArrangedDeletionWaitsForItsStartAndLeavesTheTemporaryFolderAsItWas) {
    const std::wstring temporary = TempFolder(L"selfdelete_temp");
    const TemporaryFolderAt redirected(temporary);
    const std::wstring batchFile = temporary + L"\\Del0.bat";
    Touch(batchFile);  // someone else's file of that kind stays as it is
    const std::vector<std::wstring> before = FilesIn(temporary);
    const std::wstring folder = TempFolder(L"selfdelete_pending");
    const std::wstring exe = folder + L"\\QuarnelHalvira.exe";
    Touch(exe);

    PendingSelfDeletion deletion = PendingSelfDeletion::Arrange(exe, 30);
    ASSERT_EQ(deletion.Way(), SelfDeletion::Batch);
    PumpMessagesFor(3000);  // several of the batch's rounds, were it running
    EXPECT_TRUE(PathExists(exe));
    const UniqueHandle batch = deletion.Start();
    ASSERT_TRUE(batch);
    EXPECT_FALSE(deletion.Start());  // once
    EXPECT_EQ(::WaitForSingleObject(batch.Get(), 120000), WAIT_OBJECT_0);
    EXPECT_FALSE(PathExists(exe));
    EXPECT_EQ(FilesIn(temporary), before);
    EXPECT_EQ(FileContent(batchFile), "");
}

TEST(Install, WithoutATemporaryFolderTheExecutableGoesAtTheNextRestart) {
    const std::wstring folder = TempFolder(L"selfdelete_restart");
    const std::wstring exe = folder + L"\\QuarnelHalvira.exe";
    Touch(exe);
    const RegValueRestore pending(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames);
    {
        const TemporaryFolderAt missing(folder + L"\\no such folder");
        EXPECT_EQ(PendingSelfDeletion::Arrange(exe).Way(), SelfDeletion::AtRestart);
    }
    // Registered for the restart (this prefix lets the test write the machine's list), the
    // file first, then its folder, which held nothing else.
    const std::optional<RegValue> renames = ReadValue(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames);
    ASSERT_TRUE(renames);
    const std::vector<std::wstring> entries = MultiStrings(*renames);
    const auto file = std::find(entries.begin(), entries.end(), Upper(L"\\??\\" + exe));
    ASSERT_NE(file, entries.end()) << testing::PrintToString(entries);
    EXPECT_NE(std::find(file, entries.end(), Upper(L"\\??\\" + folder)), entries.end());
    EXPECT_TRUE(PathExists(exe));  // untouched until then
}
