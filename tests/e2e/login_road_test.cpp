// The whole road from start to play: the main window starts a game process, its login page
// (the scripted page of the test build) hands over a login, the game frame joins as a tab.
#include "framework/ScriptedBrowserProtocol.h"
#include "support/DevService.h"
#include "support/Launcher.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kRecordEscaped = L"%E5%8F%8C%E7%BA%BF1%E6%9C%8D-alice";  // 双线1服-alice

// The scripted page inside a process's login window (null until it exists).
HWND FindLoginPage(DWORD pid) {
    for (HWND top : TopLevelWindowsOf(pid)) {
        if (HWND page = ::FindWindowExW(top, nullptr, kScriptedBrowserClass, nullptr)) return page;
    }
    return nullptr;
}

HWND WaitForLoginPage(DWORD pid) {
    for (int i = 0; i < 400; ++i) {
        if (HWND page = FindLoginPage(pid)) return page;
        PumpMessagesFor(50);
    }
    return nullptr;
}

void PageNavigates(HWND page, const std::wstring& url) {
    COPYDATASTRUCT data{kScriptNavigate, static_cast<DWORD>((url.size() + 1) * sizeof(wchar_t)),
                        const_cast<wchar_t*>(url.c_str())};
    ::SendMessageTimeoutW(page, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, nullptr);
}

std::wstring GamePage(const wchar_t* server) {
    return L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/game/play?server=" + server;
}

// A window of the process that is a child of the main window: its game frame.
HWND FrameOf(DWORD pid, HWND main) {
    for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(child, &owner);
        if (owner == pid) return child;
    }
    return nullptr;
}

class LoginRoad : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        ASSERT_TRUE(launcher.Start(ProductPath(), L"/TovD"));
        main = WaitForMainWindow(launcher.Id(), 20000);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override {
        KillProcessTree(launcher.Id());
    }
    // The game process that is waiting in its login now.
    DWORD NewestGameProcess(const std::vector<DWORD>& known) {
        for (int i = 0; i < 200; ++i) {
            for (DWORD pid : ChildProcessesOf(launcher.Id())) {
                if (std::find(known.begin(), known.end(), pid) == known.end()) return pid;
            }
            PumpMessagesFor(50);
        }
        return 0;
    }

    ChildProcess launcher;
    HWND main = nullptr;
};
}  // namespace

TEST_F(LoginRoad, LoadGameOnTheLoginPageOpensTheTab) {
    const DWORD game = NewestGameProcess({});
    ASSERT_NE(game, 0u);
    HWND page = WaitForLoginPage(game);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, L"app://loadgame/" + kRecordEscaped + L"|" + GamePage(L"1"));

    // The frame joins the main window, which fills the work area.
    ASSERT_TRUE(WaitUntil([&] { return FrameOf(game, main) != nullptr; }, 20000));
    RECT work{}, rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            ::GetWindowRect(main, &rc);
            return rc.right - rc.left == work.right - work.left;
        },
        10000));
    // Once its page has loaded the frame fills the game area.
    HWND frame = FrameOf(game, main);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const RECT f = RectInParent(frame);
            RECT client{};
            ::GetClientRect(main, &client);
            return ::IsWindowVisible(frame) && f.left == 4 && f.top == 30 && f.right == client.right - 4 &&
                   f.bottom == client.bottom - 4;
        },
        10000));
    // The login report went out with the account.
    EXPECT_TRUE(WaitUntil([&] { return devservice::Requests().find("uid=alice&index=1") != std::string::npos; }, 5000));
    // The same record cannot log in twice.
    EXPECT_EQ(SendLoginRecord(main, L"双线1服-alice"), 0);
}

TEST_F(LoginRoad, ExitGameOnTheFirstLoginEndsTheProgram) {
    const DWORD game = NewestGameProcess({});
    HWND page = WaitForLoginPage(game);
    ASSERT_NE(page, nullptr);
    PageNavigates(page, L"app://exitgame");
    EXPECT_TRUE(launcher.WaitForExit(20000));
}

TEST_F(LoginRoad, DuplicateLoginShowsTheMessageAndEndsThatProcess) {
    ASSERT_EQ(SendLoginRecord(main, L"双线1服-alice"), 1);  // already open in this window
    const DWORD game = NewestGameProcess({});
    HWND page = WaitForLoginPage(game);
    ASSERT_NE(page, nullptr);
    // The login window carries the same title as the box: tell them apart.
    HWND loginWindow = ::GetWindow(::GetAncestor(page, GA_ROOT), GW_OWNER);
    ASSERT_NE(loginWindow, nullptr);
    PageNavigates(page, L"app://loadgame/" + kRecordEscaped + L"|" + GamePage(L"1"));
    HWND box = WaitForMessageBox(game, loginWindow, 10000);
    ASSERT_NE(box, nullptr);
    const std::vector<std::wstring> texts = ChildTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"账号 alice 已在 双线1服 登录，同一账号不能在一服重复登录"), texts.end());
    ClickButton(box, L"确定");
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(game); }, 10000));
}
