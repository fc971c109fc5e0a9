#include "support/LoginPage.h"

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
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, record.c_str(), static_cast<int>(record.size()), nullptr, 0,
                                            nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, record.c_str(), static_cast<int>(record.size()), utf8.data(), bytes, nullptr,
                          nullptr);
    std::wstring escaped;
    for (unsigned char c : utf8) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.' || c == '~') {
            escaped += static_cast<wchar_t>(c);
        } else {
            static const wchar_t kHex[] = L"0123456789ABCDEF";
            escaped += L'%';
            escaped += kHex[c >> 4];
            escaped += kHex[c & 15];
        }
    }
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
