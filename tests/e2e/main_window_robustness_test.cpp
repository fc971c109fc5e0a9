// The main window when things go wrong around it: a game process killed under its tab, the
// shell restarting, the settings chosen while they are already open.
#include "support/Assertions.h"
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {
class MainWindowRobustness : public LauncherTest {
protected:
    void SetUp() override {
        StartLauncher();
        StopFirstGameProcesses();
    }

    // A game process of its own (tests/programs/game_stand_in) logging `record` in.
    std::unique_ptr<ChildProcess> StartGame(const std::wstring& record) {
        auto game = std::make_unique<ChildProcess>();
        const std::wstring arguments =
            std::to_wstring(static_cast<long long>(reinterpret_cast<INT_PTR>(main))) + L" " + record;
        EXPECT_TRUE(game->Start(TestsDirectory() + L"\\game_stand_in.exe", arguments));
        return game;
    }
    // The frame window a game process put into the main window.
    HWND FrameOf(const ChildProcess& game) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                    DWORD process = 0;
                    ::GetWindowThreadProcessId(child, &process);
                    if (process == game.Id()) found = child;
                }
                return found != nullptr;
            },
            kPatienceMs);
        return found;
    }
    // The tab count as the window's minimum width shows it (483 + 189 per tab).
    int TabsShown() const {
        ::SetWindowPos(main, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rc{};
        ::GetWindowRect(main, &rc);
        const int width = rc.right - rc.left;
        return width < 483 ? 0 : (width - 483) / 189;
    }
    bool WaitForTabs(int count) const { return WaitUntil([&] { return TabsShown() == count; }, kPatienceMs); }
};

// Whether the shell holds the main window's icon: changing it only works when it does.
bool TrayIconPresent(HWND main) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = main;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    std::wcsncpy(data.szTip, L"QuarnelHalvira", 127);
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}
}  // namespace

TEST_F(MainWindowRobustness, KilledGameProcessTakesItsTabAndItsAccountMayLogInAgain) {
    auto first = StartGame(L"s1-alice");
    HWND firstFrame = FrameOf(*first);
    ASSERT_NE(firstFrame, nullptr);
    ASSERT_TRUE(WaitForTabs(1));
    auto second = StartGame(L"s1-bob");
    HWND secondFrame = FrameOf(*second);
    ASSERT_NE(secondFrame, nullptr);
    ASSERT_TRUE(WaitForTabs(2));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(firstFrame); }, kPatienceMs));  // the newest tab is shown

    second->Kill();  // crashed, or ended from the task manager
    ASSERT_TRUE(second->WaitForExit(kPatienceMs));
    EXPECT_TRUE(WaitForTabs(1));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(firstFrame) != FALSE; }, kPatienceMs));
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(launcher.WaitForExit(0));

    // The account is free again: it logs in as a new tab, not refused as already open.
    auto again = StartGame(L"s1-bob");
    HWND againFrame = FrameOf(*again);
    ASSERT_NE(againFrame, nullptr);
    EXPECT_FALSE(again->WaitForExit(0)) << "refused with exit code " << again->ExitCode();
    EXPECT_TRUE(WaitForTabs(2));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(againFrame) != FALSE; }, kPatienceMs));
}

TEST_F(MainWindowRobustness, LastGameKilledAsksWhetherToCloseTheWindow) {
    auto only = StartGame(L"s1-alice");
    ASSERT_NE(FrameOf(*only), nullptr);
    ASSERT_TRUE(WaitForTabs(1));
    only->Kill();
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"窗口即将关闭，确定要退出游戏？"));
    ClickButton(box, L"是");
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
}

TEST_F(MainWindowRobustness, TrayIconComesBackWhenTheShellRestarts) {
    auto game = StartGame(L"s1-alice");
    ASSERT_NE(FrameOf(*game), nullptr) << "the game process ended with " << game->ExitCode();
    ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(main); }, kPatienceMs)) << "no icon once a game joined";
    // The shell forgets the icon, as a restarted one has, and then announces itself.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = main;
    data.uID = 1;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(TrayIconPresent(main));
    PumpMessagesFor(1000);  // the window's timer does not bring it back by itself
    ASSERT_FALSE(TrayIconPresent(main));
    ::PostMessageW(main, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(main); }, kPatienceMs)) << "not back after the shell's broadcast";
}

namespace {
std::vector<HWND> SettingsDialogsOf(DWORD pid) {
    std::vector<HWND> dialogs;
    for (HWND top : TopLevelWindowsOf(pid)) {
        if (ClassName(top) == L"#32770" && WindowText(top) == L"设置") dialogs.push_back(top);
    }
    return dialogs;
}
}  // namespace

TEST_F(MainWindowRobustness, SettingsChosenAgainFromTheTrayBringsTheOpenOneToTheFront) {
    auto game = StartGame(L"s1-alice");
    ASSERT_NE(FrameOf(*game), nullptr);
    ASSERT_TRUE(WaitForTabs(1));
    ClickSystemButton(main);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_END, -1));  // 设置...
    HWND settings = WaitForWindow(launcher.Id(), L"#32770", L"设置", kPatienceMs);
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));

    // Something else comes in front, then 设置... is chosen again from the tray menu.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                   200, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    PumpMessagesFor(200);
    ::PostMessageW(main, WM_USER + 1, 1, WM_RBUTTONUP);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_END, -1));  // 设置...
    ASSERT_TRUE(WaitUntil([&] { return OpenMenuOf(launcher.Id()) == nullptr; }, kPatienceMs));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == settings; }, kPatienceMs));
    PumpMessagesFor(500);
    EXPECT_EQ(SettingsDialogsOf(launcher.Id()), std::vector<HWND>{settings});
    ::DestroyWindow(other);

    ::PostMessageW(::GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(settings); }, kPatienceMs));
    EXPECT_TRUE(WaitUntil([&] { return SettingsDialogsOf(launcher.Id()).empty(); }, kPatienceMs));
    EXPECT_TRUE(::IsWindowEnabled(main));
}
