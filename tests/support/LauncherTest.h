// The end-to-end tests' common fixture: the launcher (test build) started with "/TovD" and its
// main window, and logins through the game processes' scripted pages. Tear-down ends it and
// everything it started.
#pragma once
#include "support/Launcher.h"
#include "support/LoginPage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class LauncherTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (launcher.Id()) KillProcessTree(launcher.Id());
    }

    // Starts the launcher and waits for its main window (a fatal failure when none shows).
    void StartLauncher() {
        ASSERT_TRUE(launcher.Start(ProductPath(), L"/TovD"));
        main = WaitForMainWindow(launcher.Id(), kPatienceMs);
        ASSERT_NE(main, nullptr);
    }
    // Logs `record` in as a game process would, with this process playing its frame: the
    // record first, then the frame, which fills the game area once the window has taken it.
    std::unique_ptr<FakeGameFrame> AddStandInTab(const std::wstring& record) {
        EXPECT_EQ(SendLoginRecord(main, record), 1) << testing::PrintToString(record);
        auto frame = std::make_unique<FakeGameFrame>();
        frame->Register(main);
        // The window's mute sync reaches a frame only once the window has taken it as a tab.
        EXPECT_TRUE(WaitUntil([&] { return frame->MuteMessages() > 0; }, kPatienceMs));
        frame->PlaceInGameArea(main);
        return frame;
    }
    // The game processes the launcher has started for its first login, once there is one.
    std::vector<DWORD> WaitForFirstGameProcesses() const {
        WaitUntil([&] { return !ChildProcessesOf(launcher.Id()).empty(); }, kPatienceMs);
        return ChildProcessesOf(launcher.Id());
    }
    // For tests that play the game processes' part: the launcher's own first game process,
    // waiting in its login, ends as if it had died before logging in.
    void StopFirstGameProcesses() const {
        for (DWORD child : WaitForFirstGameProcesses()) KillProcess(child);
    }

    // The game process now waiting in its login, and its page (0 / null when none shows).
    DWORD NextLogin(HWND* page) {
        *page = nullptr;
        const DWORD game = WaitForNewChildProcess(launcher.Id(), games, kPatienceMs);
        if (!game) {
            ADD_FAILURE() << "no new game process";
            return 0;
        }
        games.push_back(game);
        *page = WaitForLoginPage(game, kPatienceMs);
        if (!*page) ADD_FAILURE() << "no login page: " << DescribeWindowsOf(game);
        return game;
    }
    // The page of `game` logs `record` in; true once its frame is the main window's shown tab.
    bool LogIn(DWORD game, HWND page, const std::wstring& record, const wchar_t* server) {
        PageNavigates(page, LoadGameAddress(record, server));
        return WaitForShownFrame(game, main, kPatienceMs);
    }
    // The first account through the first game process's page: its process id (0 when the
    // page never showed).
    DWORD LogInFirstAccount(const std::wstring& record, const wchar_t* server) {
        HWND page = nullptr;
        const DWORD game = NextLogin(&page);
        EXPECT_NE(page, nullptr);
        if (!page) return 0;
        EXPECT_TRUE(LogIn(game, page, record, server));
        return game;
    }
    // 登录其他账号, then 是: the new tab's game process (0 when none starts) and its page.
    DWORD AddAccountInThisWindow(HWND* page) {
        *page = nullptr;
        HWND prompt = OpenAddAccountPrompt(launcher.Id(), main, kPatienceMs);
        EXPECT_NE(prompt, nullptr) << "the add-account prompt did not show";
        if (!prompt) return 0;
        EXPECT_TRUE(ClickButton(prompt, L"是"));
        return NextLogin(page);
    }

    ChildProcess launcher;
    HWND main = nullptr;
    std::vector<DWORD> games;  // game processes seen so far, oldest first
};
