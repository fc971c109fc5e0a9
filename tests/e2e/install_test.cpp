// Install and uninstall as a user does them: the downloaded executable started from
// anywhere installs itself with its shortcuts; "卸载 QuarnelHalvira" (/uninst) takes it all
// away again, the executable itself after its process has ended.
#include "base/Handles.h"
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/Launcher.h"
#include "support/Registry.h"
#include "update/UpdateRegistry.h"
#include "base/Paths.h"

#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::wstring ShellPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

}  // namespace

TEST(InstallRoad, InstallsWithShortcutsThenUninstallsCompletely) {
    const std::wstring installFolder = ShellPath(CSIDL_LOCAL_APPDATA) + L"\\Quarnel\\GameLogin";
    const std::wstring installed = installFolder + L"\\QuarnelHalvira.exe";
    const std::wstring desktopLink = ShellPath(CSIDL_DESKTOPDIRECTORY) + L"\\QuarnelHalvira.lnk";
    const std::wstring menu = ShellPath(CSIDL_PROGRAMS) + L"\\Quarnel登录器";
    ::DeleteFileW(installed.c_str());
    devservice::ResetRequests();

    // The download, started from elsewhere without arguments.
    const std::wstring download = TempFolder(L"download") + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), download.c_str(), FALSE));
    ChildProcess installer;
    ASSERT_TRUE(installer.Start(download, L""));
    ASSERT_TRUE(installer.WaitForExit(kPatienceMs));
    EXPECT_TRUE(PathExists(installed));
    EXPECT_TRUE(PathExists(desktopLink));
    EXPECT_TRUE(PathExists(menu + L"\\QuarnelHalvira.lnk"));
    EXPECT_TRUE(PathExists(menu + L"\\卸载 QuarnelHalvira.lnk"));
    EXPECT_TRUE(WaitUntil([] { return devservice::Requests().find("/install.htm?tag=tov&ver=3.0.0.1&count=") !=
                                      std::string::npos; },
                          kPatienceMs));
    // The installed copy was started and opens its main window. (The shell may have started
    // a helper of its own from the installer too.)
    std::vector<DWORD> started;
    EXPECT_TRUE(WaitUntil(
        [&] {
            started = ChildProcessesOf(installer.Id());
            return std::any_of(started.begin(), started.end(), [](DWORD pid) { return WaitForMainWindow(pid, 0); });
        },
        kPatienceMs));
    for (DWORD pid : started) {
        if (WaitForMainWindow(pid, 0)) KillProcessTree(pid);
    }

    // The update gate is the player's own; an earlier build's machine-wide one goes too.
    EXPECT_TRUE(ReadValue(kUpdateRegistryRoot, kUpdateRegistryKey, L"DisableDays"));
    {
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(kOldUpdateRegistryRoot, kUpdateRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    &raw, nullptr),
                  ERROR_SUCCESS);
        const UniqueRegKey oldKey(raw);
        const BYTE day[16] = {0xEA, 0x07, 1, 0, 4, 0, 1};
        ::RegSetValueExW(oldKey.Get(), L"UpdTime", 0, REG_BINARY, day, sizeof(day));
    }

    // The uninstall entry: asked, done, told.
    ChildProcess uninstaller;
    ASSERT_TRUE(uninstaller.Start(installed, L"/uninst"));
    HWND question = WaitForMessageBox(uninstaller.Id(), nullptr, kPatienceMs);
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(WindowSays(question, L"确定要移除 QuarnelHalvira吗？"));
    ClickButton(question, L"是");
    HWND done = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (done = WaitForMessageBox(uninstaller.Id(), question, 100)) != nullptr &&
                                       WindowSays(done, L"QuarnelHalvira已成功移除，部分文件将在程序退出\r\n或计算机重启后自行删除"); },
                          kPatienceMs));
    EXPECT_FALSE(PathExists(desktopLink));
    EXPECT_FALSE(PathExists(menu + L"\\QuarnelHalvira.lnk"));
    EXPECT_FALSE(PathExists(menu));
    EXPECT_FALSE(KeyExists(kUpdateRegistryRoot, kUpdateRegistryKey));
    EXPECT_FALSE(KeyExists(kOldUpdateRegistryRoot, kUpdateRegistryKey));
    // The batch that deletes the executable waits for the box: its bounded wait must count
    // from the end of the process, so nothing of it runs yet (a running batch keeps starting
    // commands of its own).
    const auto batchIsAtWork = [&] {
        for (DWORD batch : ChildProcessesOf(uninstaller.Id())) {
            if (!ChildProcessesOf(batch).empty()) return true;
        }
        return false;
    };
    EXPECT_FALSE(WaitUntil(batchIsAtWork, 3000));
    ClickButton(done, L"确定");
    EXPECT_TRUE(uninstaller.WaitForExit(kPatienceMs));
    EXPECT_NE(devservice::Requests().find("/uninstall.htm?tag=tov&ver=3.0.0.1&count="), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return !PathExists(installed); }, kPatienceMs));
}

// Needs the install start to stop when InstallClient() answers false (no "DisableDays",
// no count, no report).
TEST(InstallRoad, AnInstallThatCannotBeWrittenSaysSoAndReportsNothing) {
    const std::wstring parent = ShellPath(CSIDL_LOCAL_APPDATA) + L"\\Quarnel";
    const std::wstring installFolder = parent + L"\\GameLogin";
    const std::wstring aside = parent + L"\\GameLogin.aside";
    ::CreateDirectoryW(parent.c_str(), nullptr);
    // A file stands where the install folder belongs; what was there comes back afterwards.
    const bool hadFolder = ::MoveFileW(installFolder.c_str(), aside.c_str()) != FALSE;
    struct Restore {
        std::wstring file, folder, aside;
        bool hadFolder;
        ~Restore() {
            ::DeleteFileW(file.c_str());
            if (hadFolder) ::MoveFileW(aside.c_str(), folder.c_str());
        }
    } restore{installFolder, installFolder, aside, hadFolder};
    {
        UniqueFile blocker(::CreateFileW(installFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(blocker);
    }
    devservice::ResetRequests();

    const std::wstring download = TempFolder(L"download_blocked") + L"\\QuarnelHalvira.exe";
    ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), download.c_str(), FALSE));
    ChildProcess installer;
    ASSERT_TRUE(installer.Start(download, L""));
    HWND box = WaitForMessageBox(installer.Id(), nullptr, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"安装失败，请检查磁盘空间和权限后重试"));
    ClickButton(box, L"确定");
    ASSERT_TRUE(installer.WaitForExit(kPatienceMs));
    // The process has ended: a report would have been sent and awaited before that.
    EXPECT_EQ(devservice::Requests().find("/install.htm"), std::string::npos);
}
