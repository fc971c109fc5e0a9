#include "support/LoginPage.h"

#include "base/rules/PercentEncode.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "support/DevService.h"
#include "support/FrameHost.h"
#include "support/Input.h"
#include "support/Launcher.h"

#include <algorithm>

HWND FindLoginPage(DWORD pid) {
    for (HWND top : TopLevelWindowsOf(pid)) {
        if (HWND page = ::FindWindowExW(top, nullptr, kScriptedBrowserClass, nullptr)) return page;
    }
    return nullptr;
}

HWND BrowserOwnedBy(DWORD pid, HWND owner) {
    for (HWND top : TopLevelWindowsOf(pid)) {
        if (::GetWindow(top, GW_OWNER) != owner) continue;
        if (HWND page = ::FindWindowExW(top, nullptr, kScriptedBrowserClass, nullptr)) return page;
    }
    return nullptr;
}

HWND WaitForLoginPage(DWORD pid, DWORD ms) {
    HWND page = nullptr;
    WaitUntil([&] { return (page = FindLoginPage(pid)) != nullptr; }, ms);
    return page;
}

void PageNavigates(HWND page, const std::wstring& url) { SendPageCommand(page, kScriptNavigate, url); }

void FrameNavigates(HWND page, const std::wstring& frameUrl, const std::wstring& url) {
    SendPageCommand(page, kScriptNavigateFrame, frameUrl + L"\n" + url);
}

std::wstring GamePage(const wchar_t* server) {
    return L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/game/play?server=" + server;
}

std::wstring LoadGameAddress(const std::wstring& record, const wchar_t* server) {
    // Each UTF-8 byte of the record is one unit here, so every byte outside the unreserved
    // characters gets its own escape.
    const std::string utf8 = Utf8(record);
    const std::wstring bytes(utf8.begin(), utf8.end());
    const std::wstring escaped = PercentEncode(bytes, [](wchar_t c) {
        const bool unreserved = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
                                c == L'-' || c == L'_' || c == L'.' || c == L'~';
        return !unreserved;
    });
    return L"app://loadgame/" + escaped + L"|" + GamePage(server);
}

HWND FrameOf(DWORD pid, HWND mainWindow) {
    for (HWND child = ::GetWindow(mainWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(child, &owner);
        if (owner == pid) return child;
    }
    return nullptr;
}

DWORD WaitForNewChildProcess(DWORD parent, const std::vector<DWORD>& known, DWORD ms) {
    DWORD found = 0;
    WaitUntil(
        [&] {
            for (DWORD pid : ChildProcessesOf(parent)) {
                if (std::find(known.begin(), known.end(), pid) == known.end()) {
                    found = pid;
                    return true;
                }
            }
            return false;
        },
        ms);
    return found;
}

HWND OpenAddAccountPrompt(DWORD launcherPid, HWND mainWindow, DWORD ms) {
    HWND label = ::FindWindowExW(mainWindow, nullptr, L"Static", L"登录其他账号");
    if (!label) return nullptr;
    ClickCentre(label);
    return WaitForWindow(launcherPid, L"#32770", L"登录其他账号", ms);
}

bool WaitForShownFrame(DWORD game, HWND mainWindow, DWORD ms) {
    return WaitUntil(
        [&] {
            HWND frame = FrameOf(game, mainWindow);
            return frame && ::IsWindowVisible(frame);
        },
        ms);
}
