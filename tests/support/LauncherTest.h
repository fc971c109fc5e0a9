// The end-to-end tests' common fixture: the launcher (test build) started with "/TovD" and its
// main window. Tear-down ends it and everything it started.
#pragma once
#include "support/Launcher.h"

#include <gtest/gtest.h>

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

    ChildProcess launcher;
    HWND main = nullptr;
};
