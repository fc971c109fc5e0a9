// Drives the launcher along the real login road for a screenshot (scripts/screenshots):
//   login  the first game process's login window, its page shown over the background;
//   tabs   two accounts logged in through their pages, the second through 登录其他账号 → 是,
//          so the main window shows two tabs;
//   menu   one account logged in, the "系统" button's menu open;
//   shot   one account logged in and 截图 chosen from that menu: the balloon of the saved
//          picture showing;
//   tabmenu  two tabs, the first one muted (its mark shows), and the second tab's own menu
//          open with its zoom levels.
// Unlike main_window_demo nothing here plays a game process: every tab is the launcher's own.
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LoginPage.h"

namespace {
constexpr DWORD kStepMs = 30000;

// The next game process's login page, once its login window shows.
HWND ShownLoginPage(DWORD launcherPid, std::vector<DWORD>& games) {
    const DWORD game = WaitForNewChildProcess(launcherPid, games, kStepMs);
    if (!game) return nullptr;
    games.push_back(game);
    HWND page = WaitForLoginPage(game, kStepMs);
    if (!page || !WaitUntil([&] { return ::IsWindowVisible(::GetAncestor(page, GA_ROOT)) != FALSE; }, kStepMs)) {
        return nullptr;
    }
    return page;
}

bool LogIn(HWND mainWindow, DWORD game, HWND page, const std::wstring& record, const wchar_t* server) {
    PageNavigates(page, LoadGameAddress(record, server));
    return WaitForShownFrame(game, mainWindow, kStepMs);
}

int OneTab(DWORD launcherPid, HWND mainWindow) {
    std::vector<DWORD> games;
    HWND page = ShownLoginPage(launcherPid, games);
    if (!page || !LogIn(mainWindow, games.back(), page, L"双线1服-alice", L"1")) return 3;
    return 0;
}

// Opens the "系统" button's menu and waits until it shows.
bool OpenSystemMenu(DWORD launcherPid, HWND mainWindow) {
    ::PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0);
    return WaitUntil([&] { return OpenMenuOf(launcherPid) != nullptr; }, kStepMs);
}

int TwoTabs(DWORD launcherPid, HWND mainWindow, const wchar_t* first = L"双线1服-alice",
            const wchar_t* second = L"双线2服-bob") {
    std::vector<DWORD> games;
    HWND page = ShownLoginPage(launcherPid, games);
    if (!page || !LogIn(mainWindow, games.back(), page, first, L"1")) return 3;
    HWND prompt = OpenAddAccountPrompt(launcherPid, mainWindow, kStepMs);
    if (!prompt || !ClickButton(prompt, L"是")) return 4;
    page = ShownLoginPage(launcherPid, games);
    if (!page || !LogIn(mainWindow, games.back(), page, second, L"2")) return 5;
    // The pointer leaves the caption row, where it would underline the add-account link.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2);
    PumpMessagesFor(1000);
    return 0;
}
}  // namespace

// Two tabs, the first one muted through its menu, and the second tab's menu open at 缩放.
// Accounts of their own: what is muted here is remembered for them, and no test logs them in.
int TabMenu(DWORD launcherPid, HWND mainWindow) {
    if (const int failed = TwoTabs(launcherPid, mainWindow, L"双线1服-carol", L"双线2服-dave")) return failed;
    RightClickTab(mainWindow, 0);
    if (!WalkMenu(launcherPid, {VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN})) return 8;  // 静音
    PumpMessagesFor(1000);
    RightClickTab(mainWindow, 1);
    if (!WalkMenu(launcherPid, {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT})) return 9;  // 缩放
    PumpMessagesFor(1000);
    return 0;
}

// argv[1]: "login", "tabs", "menu", "shot" or "tabmenu"; argv[2]: a file to create once the screen is
// ready.
int wmain(int argc, wchar_t** argv) {
    const std::wstring what = argc > 1 ? argv[1] : L"tabs";
    ChildProcess launcher;
    if (!launcher.Start(ProductPath(), L"/TovD")) return 1;
    HWND mainWindow = WaitForMainWindow(launcher.Id(), kStepMs);
    if (!mainWindow) return 2;
    int result = 0;
    if (what == L"login") {
        std::vector<DWORD> games;
        if (!ShownLoginPage(launcher.Id(), games)) return 3;
        PumpMessagesFor(1000);  // the page's first paint
    } else if (what == L"menu" || what == L"shot") {
        result = OneTab(launcher.Id(), mainWindow);
        if (result != 0) return result;
        if (!OpenSystemMenu(launcher.Id(), mainWindow)) return 6;
        if (what == L"shot") {
            if (!PickMenuItem(launcher.Id(), VK_HOME, 1)) return 7;  // 截图
            PumpMessagesFor(4000);  // the shell shows the balloon two seconds after it is asked
        }
        PumpMessagesFor(500);
    } else if (what == L"tabmenu") {
        result = TabMenu(launcher.Id(), mainWindow);
        if (result != 0) return result;
    } else {
        result = TwoTabs(launcher.Id(), mainWindow);
        if (result != 0) return result;
    }
    if (argc > 2) {
        UniqueFile ready(::CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    PumpMessagesFor(60000);
    return result;
}
