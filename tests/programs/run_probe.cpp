// Looks at a launcher that scripts/run started, as a player at the screen would, so that
// scripts/run --check can run without one: waits for the main window and the login window
// with its page, says what it saw, then closes the login window as a player does and waits for
// every process of the launcher to end.
//   run_probe scripted|browser [SECONDS]
// scripted: the test build's page with the commands offered by hand (its 登录 button);
// browser: the dev build's Internet Explorer control in the login window's page dialog, and the
// login page asked of the dev service (Wine here has no HTML engine to show the page itself).
// Exit code 0 when all of it happened in time.
#include "support/DevService.h"
#include "support/LoginPage.h"
#include "support/Process.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
struct Launcher {
    HWND main = nullptr;
    HWND login = nullptr;
};

bool IsLauncherDialog(HWND hwnd) { return ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira"; }

// The login window: the launcher's dialog owned by another such dialog, the main window.
BOOL CALLBACK FindLogin(HWND hwnd, LPARAM found) {
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    if (::IsWindowVisible(hwnd) && IsLauncherDialog(hwnd) && owner && IsLauncherDialog(owner)) {
        *reinterpret_cast<Launcher*>(found) = Launcher{owner, hwnd};
        return FALSE;
    }
    return TRUE;
}

HWND DescendantOfClass(HWND parent, const wchar_t* className) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == className) return child;
        if (HWND deeper = DescendantOfClass(child, className)) return deeper;
    }
    return nullptr;
}

HWND ChildButton(HWND parent, const std::wstring& text) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == L"Button" && WindowText(child) == text) return child;
    }
    return nullptr;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool Ended(DWORD pid, DWORD ms) {
    const UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    return !process || ::WaitForSingleObject(process.Get(), ms) == WAIT_OBJECT_0;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool scripted = argc > 1 && std::wcscmp(argv[1], L"scripted") == 0;
    const DWORD limitMs = (argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 120) * 1000;
    const DWORD start = ::GetTickCount();
    const auto left = [&] {
        const DWORD spent = ::GetTickCount() - start;
        return spent < limitMs ? limitMs - spent : 0;
    };

    Launcher launcher;
    WaitUntil([&] { return !::EnumWindows(FindLogin, reinterpret_cast<LPARAM>(&launcher)) && launcher.login; }, left());
    if (!launcher.login) {
        std::printf("run_probe: no login window over a main window\n");
        return 1;
    }
    const DWORD game = ProcessOf(launcher.login);
    const DWORD main = ProcessOf(launcher.main);
    HWND page = nullptr;
    bool asked = true;  // the dev service was asked for the login page
    if (scripted) {
        WaitUntil(
            [&] {
                HWND shown = FindLoginPage(game);
                page = shown && ChildButton(shown, L"登录") ? shown : nullptr;
                return page != nullptr;
            },
            left());
    } else {
        WaitUntil(
            [&] {
                for (HWND top : TopLevelWindowsOf(game)) {
                    if ((page = DescendantOfClass(top, L"Shell Embedding")) != nullptr) break;
                }
                asked = devservice::Requests().find("\"path\":\"/yxtov/wd\"") != std::string::npos;
                return page && asked;
            },
            left());
    }
    const char* what = scripted ? "scripted page" : "browser control";
    if (!page || !asked) {
        std::printf("run_probe: %s\n%s\n", !page ? "the login window shows no page" : "no login page was asked for",
                    DescribeWindowsOf(game).c_str());
        return 1;
    }
    std::printf("run_probe: the login window shows its %s over the main window\n", what);

    // The player closes the login window: the launcher has nothing left to show and ends.
    ::PostMessageW(launcher.login, WM_SYSCOMMAND, SC_CLOSE, 0);
    const bool ended = Ended(game, left()) && Ended(main, left());
    std::printf("run_probe: %s\n", ended ? "the launcher ended" : "the launcher did not end in time");
    return ended ? 0 : 1;
}
