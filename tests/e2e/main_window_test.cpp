// The main window started as a user starts it, with this program playing its game processes.
#include "app/rules/DumpPath.h"
#include "base/Paths.h"
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/OtherApplication.h"
#include "support/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {
class MainWindow : public LauncherTest {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        StartLauncher();
        firstGameProcesses = WaitForFirstGameProcesses();
    }
    void StopRealGameProcess() const {
        for (DWORD child : firstGameProcesses) KillProcess(child);
    }

    // Logs an account in as a game process would: record first, then the frame.
    std::unique_ptr<FakeGameFrame> AddTab(const std::wstring& record) {
        StopRealGameProcess();
        return AddStandInTab(record);
    }

    std::vector<DWORD> firstGameProcesses;
};

bool ContainsRequest(const std::string& requests, const std::string& fragment) {
    return requests.find(fragment) != std::string::npos;
}
}  // namespace

TEST_F(MainWindow, StartsAsOnePixelAndSpawnsOneGameProcess) {
    RECT rc{};
    ::GetWindowRect(main, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right - rc.left, 1);
    EXPECT_EQ(rc.bottom - rc.top, 1);
    ASSERT_EQ(firstGameProcesses.size(), 1u);
    // The game process got this window's handle: its login window is owned by it.
    HWND login = nullptr;
    for (int i = 0; i < 200 && !login; ++i) {
        for (HWND hwnd : TopLevelWindowsOf(firstGameProcesses[0])) {
            if (ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira") login = hwnd;
        }
        if (!login) PumpMessagesFor(50);
    }
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(::GetWindow(login, GW_OWNER), main);
}

TEST_F(MainWindow, GameProcessWaitsInItsLoginUnderTheMainWindow) {
    // Its login window's messages pass the main window (another process) on their way up
    // the parent chain, several times a second.
    ASSERT_EQ(firstGameProcesses.size(), 1u);
    PumpMessagesFor(3000);
    EXPECT_TRUE(ProcessAlive(firstGameProcesses[0]));
}

TEST_F(MainWindow, ClosingBeforeAnyLoginEndsTheProgramAndItsLoginProcess) {
    ASSERT_EQ(firstGameProcesses.size(), 1u);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
    EXPECT_FALSE(ProcessAlive(firstGameProcesses[0]));
}

TEST_F(MainWindow, GameProcessThatDiesBeforeRegisteringLeavesTheWindowUsable) {
    StopRealGameProcess();
    PumpMessagesFor(300);
    EXPECT_TRUE(::IsWindowEnabled(main));
    auto tab = AddTab(L"s1-abc");  // a later login still works
    EXPECT_TRUE(::IsWindowVisible(tab->Handle()));
}

TEST_F(MainWindow, AbandonedFirstLoginEndsTheProgram) {
    StopRealGameProcess();
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 7351);
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
}

TEST_F(MainWindow, AbandonedLaterLoginOnlyForgetsThePendingProcess) {
    auto tab = AddTab(L"s1-abc");
    ::PostMessageW(main, WM_USER + 6, 1, 0);  // 是: a new tab's game process starts
    PumpMessagesFor(1000);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 7351);
    PumpMessagesFor(500);
    EXPECT_FALSE(launcher.WaitForExit(0));
    EXPECT_EQ(VisibleTopLevelWindowsOf(launcher.Id()), std::vector<HWND>{main});  // no close question
}

TEST_F(MainWindow, DuplicateRecordIsRefusedAndAnotherServerAccepted) {
    EXPECT_EQ(SendLoginRecord(main, L"双线1服-alice"), 1);
    EXPECT_EQ(SendLoginRecord(main, L"双线1服-alice"), 0);
    EXPECT_EQ(SendLoginRecord(main, L"双线2服-alice"), 1);
}

TEST_F(MainWindow, MalformedCopyDataIsRefused) {
    auto send = [&](ULONG_PTR kind, DWORD bytes, const void* data) {
        COPYDATASTRUCT cds{kind, bytes, const_cast<void*>(data)};
        DWORD_PTR result = 99;
        ::SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 10000, &result);
        return result;
    };
    const wchar_t text[] = L"s1-abc";
    EXPECT_EQ(send(1, sizeof(text), text), 0u);
    EXPECT_EQ(send(0, sizeof(text) - 1, text), 0u);
    EXPECT_EQ(send(0, sizeof(text) - 2, text), 0u);  // no terminator
    EXPECT_EQ(send(0, 0, nullptr), 0u);
    const std::wstring tooLong(600, L'a');
    EXPECT_EQ(send(0, static_cast<DWORD>((tooLong.size() + 1) * 2), tooLong.c_str()), 0u);
    // Nothing was kept: the well-formed record is still new.
    EXPECT_EQ(SendLoginRecord(main, L"s1-abc"), 1);
}

TEST_F(MainWindow, LoginReportCarriesAccountAndIndex) {
    SendLoginRecord(main, L"s1-abc");
    SendLoginRecord(main, L"noserver");
    std::string requests;
    for (int i = 0; i < 50; ++i) {
        requests = devservice::Requests();
        if (ContainsRequest(requests, "uid=noserver")) break;
        PumpMessagesFor(100);
    }
    EXPECT_TRUE(ContainsRequest(requests, "/login.htm?tag=tov&ver=3.0.0.1&uid=abc&index=1")) << requests;
    EXPECT_TRUE(ContainsRequest(requests, "/login.htm?tag=tov&ver=3.0.0.1&uid=noserver&index=2")) << requests;
}

TEST_F(MainWindow, FirstFrameMaximisesTheWindow) {
    auto tab = AddTab(L"s1-abc");
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT rc{};
    ::GetWindowRect(main, &rc);
    EXPECT_EQ(rc.right - rc.left, work.right - work.left);
    EXPECT_EQ(rc.bottom - rc.top, work.bottom - work.top);
    const int before = tab->MuteMessages();
    EXPECT_TRUE(WaitUntil([&] { return tab->MuteMessages() > before; }, kPatienceMs));  // the 400 ms mute sync runs
}

TEST_F(MainWindow, ResizingKeepsTheCurrentFrameInTheGameArea) {
    auto tab = AddTab(L"s1-abc");
    ::SetWindowPos(main, nullptr, 10, 10, 900, 600, SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(main, &client);
    WaitUntil([&] { return RectInParent(tab->Handle()).bottom == client.bottom - 4; }, kPatienceMs);
    const RECT frame = RectInParent(tab->Handle());
    EXPECT_EQ(frame.left, 4);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right, client.right - 4);
    EXPECT_EQ(frame.bottom, client.bottom - 4);
}

TEST_F(MainWindow, NewTabBecomesCurrentAndOthersHide) {
    auto first = AddTab(L"s1-abc");
    auto second = AddTab(L"s2-abc");
    EXPECT_FALSE(::IsWindowVisible(first->Handle()));
    EXPECT_TRUE(::IsWindowVisible(second->Handle()));
    EXPECT_EQ(::GetAncestor(second->Handle(), GA_PARENT), main);
}

TEST_F(MainWindow, MiddleClickOnATabAsksToCloseItAndYesClosesIt) {
    auto first = AddTab(L"s1-abc");
    auto second = AddTab(L"s2-def");
    ::PostMessageW(main, WM_MBUTTONUP, 0, MAKELPARAM(120 + 50, 12));  // on the first tab
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"确定要退出账号：s1-abc ?"));
    EXPECT_TRUE(ClickButton(box, L"是"));
    EXPECT_TRUE(WaitUntil([&] { return first->SysCloses() == 1; }, kPatienceMs));
    EXPECT_NE(::GetAncestor(first->Handle(), GA_PARENT), main);
    EXPECT_TRUE(::IsWindowVisible(second->Handle()));
    // The closed record is free again.
    EXPECT_EQ(SendLoginRecord(main, L"s1-abc"), 1);
}

TEST_F(MainWindow, NoKeepsTheTab) {
    auto first = AddTab(L"s1-abc");
    auto second = AddTab(L"s2-def");
    ::PostMessageW(main, WM_MBUTTONUP, 0, MAKELPARAM(120 + 189 + 50, 12));
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    ClickButton(box, L"否");
    PumpMessagesFor(300);
    EXPECT_EQ(second->SysCloses(), 0);
    EXPECT_EQ(SendLoginRecord(main, L"s2-def"), 0);
}

TEST_F(MainWindow, PressOnATabMakesItCurrent) {
    auto first = AddTab(L"s1-abc");
    auto second = AddTab(L"s2-def");
    ::PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120 + 50, 12));
    ::PostMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(120 + 50, 12));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(first->Handle()) != FALSE; }, kPatienceMs));
    EXPECT_FALSE(::IsWindowVisible(second->Handle()));
}

TEST_F(MainWindow, WindowSwitchKeyCyclesTabsAfterAReload) {
    auto first = AddTab(L"s1-abc");
    auto second = AddTab(L"s2-abc");
    // Bind the window-switch key to F9 (no modifier) beside the launcher and announce it.
    const SettingsFileKept settings(ProductSettingsFile());
    StoreSetting(settings.Path(), L"AltWndKey", L"0,120");
    ::PostMessageW(main, WM_USER + 4, 0, 0);  // the settings dialog's reload broadcast
    // Posted messages are handled in order. Had the launcher's own F9 switched, the real one
    // would switch back and the first tab would never show.
    ::PostMessageW(main, WM_KEYDOWN, VK_F9, 7351);
    ::PostMessageW(main, WM_KEYDOWN, VK_F9, 1);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(first->Handle()) != FALSE; }, kPatienceMs));
    EXPECT_FALSE(::IsWindowVisible(second->Handle()));
    ::PostMessageW(main, WM_KEYDOWN, VK_F9, 1);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(second->Handle()) != FALSE; }, kPatienceMs));
}

TEST_F(MainWindow, F5AndCtrlDGoToTheCurrentTab) {
    auto first = AddTab(L"s1-abc");
    auto second = AddTab(L"s2-abc");
    ::PostMessageW(main, WM_KEYDOWN, VK_F5, 7351);
    ::PostMessageW(main, WM_CHAR, 4, MAKELPARAM(1, 0x0020));
    ::PostMessageW(main, WM_CHAR, 4, MAKELPARAM(1, 0x0021));  // another key's data: not Ctrl+D
    EXPECT_TRUE(WaitUntil([&] { return second->ForwardedKeys().size() >= 2; }, kPatienceMs));
    PumpMessagesFor(200);
    ASSERT_EQ(second->ForwardedKeys().size(), 2u);
    EXPECT_EQ(second->ForwardedKeys()[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(second->ForwardedKeys()[0].lParam, 7351);
    EXPECT_EQ(second->ForwardedKeys()[1].message, static_cast<UINT>(WM_CHAR));
    EXPECT_TRUE(first->ForwardedKeys().empty());
}

TEST_F(MainWindow, SoundButtonMutesEveryTab) {
    auto tab = AddTab(L"s1-abc");
    EXPECT_TRUE(WaitUntil([&] { return tab->MuteMessages() > 0; }, kPatienceMs));
    EXPECT_EQ(tab->LastMute(), 0u);
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return tab->LastMute() == 1; }, kPatienceMs));
}

TEST_F(MainWindow, HideButtonHidesAndRestores) {
    auto tab = AddTab(L"s1-abc");
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }, kPatienceMs));
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kPatienceMs));
}

TEST_F(MainWindow, MinimumSizeHoldsOnlyWhileTabsExist) {
    ::SetWindowPos(main, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessagesFor(200);
    RECT rc{};
    ::GetWindowRect(main, &rc);
    EXPECT_EQ(rc.right - rc.left, 50);
    auto a = AddTab(L"s1-a");
    auto b = AddTab(L"s1-b");
    ::SetWindowPos(main, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessagesFor(200);
    ::GetWindowRect(main, &rc);
    EXPECT_EQ(rc.right - rc.left, 483 + 189 * 2);
    EXPECT_EQ(rc.bottom - rc.top, 260);
}

TEST_F(MainWindow, ThreeTabsRefuseAFourthAndNewWindowStartsAnotherCopy) {
    auto a = AddTab(L"s1-a");
    auto b = AddTab(L"s1-b");
    auto c = AddTab(L"s1-c");
    const size_t before = ChildProcessesOf(launcher.Id()).size();
    ::PostMessageW(main, WM_USER + 6, 1, 0);
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"当前窗体只支持3个游戏页"));
    ClickButton(box, L"确定");
    PumpMessagesFor(300);
    EXPECT_EQ(ChildProcessesOf(launcher.Id()).size(), before);
    // 否 in the prompt: another main window, whatever the tab count.
    ::PostMessageW(main, WM_USER + 6, 0, 0);
    for (int i = 0; i < 100 && ChildProcessesOf(launcher.Id()).size() == before; ++i) PumpMessagesFor(50);
    EXPECT_EQ(ChildProcessesOf(launcher.Id()).size(), before + 1);
}

TEST_F(MainWindow, ExitDetachesHidesAndClosesEveryFrame) {
    auto a = AddTab(L"s1-a");
    auto b = AddTab(L"s1-b");
    ::PostMessageW(main, WM_CLOSE, 0, 0);  // the close confirmation
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"窗口即将关闭，确定要退出游戏？"));
    ClickButton(box, L"是");
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
    PumpMessagesFor(300);
    for (FakeGameFrame* frame : {a.get(), b.get()}) {
        EXPECT_EQ(frame->SysCloses(), 1);
        EXPECT_FALSE(::IsWindowVisible(frame->Handle()));
        EXPECT_NE(::GetAncestor(frame->Handle(), GA_PARENT), main);
    }
}

TEST_F(MainWindow, BossKeyHidesAndRestoresWhicheverProgramHasTheFocus) {
    OtherApplication other;
    PressKeys({VK_F10});  // no tab yet: nothing
    PumpMessagesFor(500);
    EXPECT_TRUE(::IsWindowVisible(main));

    auto tab = AddTab(L"s1-abc");
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kPatienceMs));
    OtherApplication focused;
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }, kPatienceMs));
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kPatienceMs));
}

TEST_F(MainWindow, SoundKeyMutesOnlyWithExactlyItsModifiers) {
    auto tab = AddTab(L"s1-abc");
    ASSERT_TRUE(WaitUntil([&] { return tab->MuteMessages() > 0; }, kPatienceMs));
    OtherApplication other;
    PressKeys({VK_CONTROL, VK_SHIFT, 'Q'});
    PumpMessagesFor(1000);  // more than the window's 400 ms sound timer
    EXPECT_EQ(tab->LastMute(), 0u);
    PressKeys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(WaitUntil([&] { return tab->LastMute() == 1; }, kPatienceMs));
    PressKeys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(WaitUntil([&] { return tab->LastMute() == 0; }, kPatienceMs));
}


TEST_F(MainWindow, TrayIconClickHidesAndRestores) {
    auto tab = AddTab(L"s1-abc");
    ::PostMessageW(main, WM_USER + 1, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }, kPatienceMs));
    ::PostMessageW(main, WM_USER + 1, 1, WM_MOUSEMOVE);  // other mouse messages do nothing
    PumpMessagesFor(300);
    EXPECT_FALSE(::IsWindowVisible(main));
    ::PostMessageW(main, WM_USER + 1, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kPatienceMs));
}

TEST_F(MainWindow, TrayMenuExitEndsTheProgramWithoutAQuestion) {
    auto tab = AddTab(L"s1-abc");
    ::PostMessageW(main, WM_USER + 1, 1, WM_RBUTTONUP);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_END, 0));  // the last item: 退出
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
}

TEST_F(MainWindow, ExitWhileTheMenusUpdateCheckGetsNoAnswerEndsCleanly) {
    auto tab = AddTab(L"s1-abc");
    const std::wstring dump = DumpPathForExecutable(ProductPath());
    ::DeleteFileW(dump.c_str());
    struct NothingPublishedAfterwards {
        ~NothingPublishedAfterwards() { devservice::Get("/__control/set?update=none&key="); }
    } restore;
    ASSERT_FALSE(devservice::Get("/__control/set?update=hang&key=").empty());  // the version file never comes
    ClickSystemButton(main);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 4));  // 更新
    ASSERT_TRUE(WaitUntil([] { return devservice::Requests().find("/update/ConfigTov.htm") != std::string::npos; },
                          kPatienceMs));
    ::PostMessageW(main, WM_USER + 1, 1, WM_RBUTTONUP);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_END, 0));  // 退出, with the check still waiting
    EXPECT_TRUE(launcher.WaitForExit(kPatienceMs));
    EXPECT_EQ(launcher.ExitCode(), 0u);
    EXPECT_FALSE(PathExists(dump));
}

TEST_F(MainWindow, SystemMenuVersionLineDoesNothing) {
    auto tab = AddTab(L"s1-abc");
    ClickSystemButton(main);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_END, 0));  // the last item: the version
    EXPECT_TRUE(WaitUntil([&] { return OpenMenuOf(launcher.Id()) == nullptr; }, kPatienceMs));
    PumpMessagesFor(500);
    EXPECT_TRUE(ProcessAlive(launcher.Id()));
    EXPECT_TRUE(::IsWindowVisible(main));
    for (HWND top : VisibleTopLevelWindowsOf(launcher.Id())) {
        EXPECT_TRUE(top == main || ClassName(top) != L"#32770") << "a box or dialog opened";
    }
}

TEST_F(MainWindow, MenuRefreshReachesTheTabAsTheLaunchersOwnKey) {
    auto tab = AddTab(L"s1-abc");
    ClickSystemButton(main);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 0));  // the first item: 刷新 (F5)
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (const MSG& key : tab->ForwardedKeys()) {
                if (key.message == WM_KEYDOWN && key.wParam == VK_F5 && key.lParam == 7351) return true;
            }
            return false;
        },
        kPatienceMs));
}

TEST_F(MainWindow, MenuCacheCleaningSaysItIsDone) {
    auto tab = AddTab(L"s1-abc");
    ::PostMessageW(main, WM_USER + 1, 1, WM_RBUTTONUP);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 3));  // 清除缓存
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"缓存清除完毕！"));
    ClickButton(box, L"确定");
}

TEST_F(MainWindow, ScreenshotOfATabThatCannotTakeOneSaysItFailed) {
    // The stand-in frame does not know the request, as a hung or foreign window would not.
    auto tab = AddTab(L"s1-abc");
    ClickSystemButton(main);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 1));  // 截图
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"截图失败\r\n游戏窗口没有响应。"));
    ClickButton(box, L"确定");
}

TEST_F(MainWindow, MenuUpdateWithNothingPublishedSaysTheVersionIsCurrent) {
    auto tab = AddTab(L"s1-abc");
    ASSERT_FALSE(devservice::Get("/__control/set?update=none&key=").empty());  // nothing published
    ClickSystemButton(main);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 4));  // 更新 (the separator is skipped)
    HWND box = WaitForMessageBox(launcher.Id(), main, kPatienceMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WindowSays(box, L"已经是最新版本，无需进行更新。"));
    EXPECT_NE(devservice::Requests().find("/update/ConfigTov.htm"), std::string::npos);
    ClickButton(box, L"确定");
    EXPECT_TRUE(ProcessAlive(launcher.Id()));
}

TEST_F(MainWindow, BossKeyEndsTheSettingsDialogOpenedFromTheMenuAndHides) {
    auto tab = AddTab(L"s1-abc");
    ::PostMessageW(main, WM_USER + 1, 1, WM_RBUTTONUP);
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_END, -1));  // 设置...
    HWND settings = WaitForWindow(launcher.Id(), L"#32770", L"设置", kPatienceMs);
    ASSERT_NE(settings, nullptr);
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(settings) || !::IsWindowVisible(settings); }, kPatienceMs));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }, kPatienceMs));
}
