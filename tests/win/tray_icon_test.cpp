// The tray icon against a stand-in shell that holds icons as the real one does, and can time
// out: it keeps the icon but answers failure.
#include "mainwnd/TrayIcon.h"

#include <gtest/gtest.h>

#include <set>

namespace {
struct StandInShell {
    std::set<UINT> icons;  // the ids it shows
    bool busy = false;     // adds the icon, then reports failure
    bool running = true;   // no notification area at all while false
    int adds = 0, modifies = 0, deletes = 0;

    BOOL Notify(DWORD action, NOTIFYICONDATAW* data) {
        if (!running) return FALSE;
        switch (action) {
            case NIM_ADD: {
                ++adds;
                if (icons.count(data->uID)) return FALSE;  // an icon of that id exists
                icons.insert(data->uID);
                return busy ? FALSE : TRUE;
            }
            case NIM_MODIFY:
                ++modifies;
                return icons.count(data->uID) ? TRUE : FALSE;
            case NIM_DELETE:
                ++deletes;
                return icons.erase(data->uID) ? TRUE : FALSE;
            default:
                return FALSE;
        }
    }
};
StandInShell* g_shell = nullptr;

BOOL WINAPI ShellCall(DWORD action, NOTIFYICONDATAW* data) { return g_shell->Notify(action, data); }

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_shell = &shell;
        owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        ::DestroyWindow(owner);
        g_shell = nullptr;
    }
    StandInShell shell;
    HWND owner = nullptr;
};
}  // namespace

TEST_F(TrayIconTest, AnAddTheBusyShellReportedAsFailedIsKeptAndRemovedAtTheEnd) {
    TrayIcon tray(&ShellCall);
    tray.Attach(owner, nullptr, WM_APP);
    shell.busy = true;
    tray.Add();
    EXPECT_EQ(shell.icons.size(), 1u);  // there, whatever the shell said
    shell.busy = false;
    tray.Retry();  // finds it there: no second add, no error
    tray.Retry();
    EXPECT_EQ(shell.adds, 1);
    EXPECT_EQ(shell.icons.size(), 1u);
    tray.Remove();
    EXPECT_TRUE(shell.icons.empty());  // no dead icon after the launcher has gone
}

TEST_F(TrayIconTest, AShellThatIsNotReadyGetsTheIconOnceItIsAndAfterItsRestart) {
    TrayIcon tray(&ShellCall);
    tray.Attach(owner, nullptr, WM_APP);
    shell.running = false;
    tray.Add();
    tray.Retry();
    EXPECT_TRUE(shell.icons.empty());
    shell.running = true;
    tray.Retry();
    EXPECT_EQ(shell.icons.size(), 1u);
    // A restarted shell has forgotten its icons and says so by its broadcast.
    shell.icons.clear();
    EXPECT_TRUE(tray.OnShellMessage(::RegisterWindowMessageW(L"TaskbarCreated")));
    EXPECT_EQ(shell.icons.size(), 1u);
    EXPECT_FALSE(tray.OnShellMessage(WM_APP + 99));
}

TEST_F(TrayIconTest, NothingIsAskedOfTheShellForAnIconNeverWantedAndNoneComesBackAfterRemoval) {
    {
        TrayIcon tray(&ShellCall);
        tray.Attach(owner, nullptr, WM_APP);
        tray.Retry();
    }
    EXPECT_EQ(shell.adds + shell.modifies + shell.deletes, 0);
    TrayIcon tray(&ShellCall);
    tray.Attach(owner, nullptr, WM_APP);
    tray.Add();
    tray.Remove();
    tray.Retry();
    tray.OnShellMessage(::RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_TRUE(shell.icons.empty());
}
