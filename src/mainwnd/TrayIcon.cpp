#include "mainwnd/TrayIcon.h"

#include "base/SystemLibrary.h"

#include <cwchar>

namespace {
constexpr UINT kTrayIconId = 1;

// Absent before Vista (and ChangeWindowMessageFilterEx before 7), so looked up at run time.
using ChangeFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
using ChangeFilterFn = BOOL(WINAPI*)(UINT, DWORD);
constexpr DWORD kMsgFilterAllow = 1;  // MSGFLT_ALLOW, and MSGFLT_ADD for the older call

template <size_t N>
void CopyText(wchar_t (&field)[N], const wchar_t* text) {
    std::wcsncpy(field, text, N - 1);
    field[N - 1] = L'\0';
}

// The player may run the launcher elevated and the shell not: from Vista on the message filter drops the
// shell's broadcast unless the window lets that one message through.
void AllowMessageFromShell(HWND owner, UINT message) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (auto filterEx = LibraryFunction<ChangeFilterExFn>(user32, "ChangeWindowMessageFilterEx")) {
        filterEx(owner, message, kMsgFilterAllow, nullptr);
    } else if (auto filter = LibraryFunction<ChangeFilterFn>(user32, "ChangeWindowMessageFilter")) {
        filter(message, kMsgFilterAllow);
    }
}
}  // namespace

void TrayIcon::Attach(HWND owner, HICON icon, UINT callbackMessage) {
    m_owner = owner;
    m_icon = icon;
    m_callbackMessage = callbackMessage;
    m_taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    if (m_taskbarCreated != 0) AllowMessageFromShell(owner, m_taskbarCreated);
}

bool TrayIcon::Notify(DWORD action) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = m_callbackMessage;
    data.hIcon = m_icon;
    CopyText(data.szTip, L"QuarnelHalvira");
    return m_notify(action, &data) != FALSE;
}

void TrayIcon::Add() {
    m_wanted = true;
    if (!m_owner) return;
    // A missing notification area is not an error; a failed add is tried again by Retry.
    m_asked = true;
    m_shown = Notify(NIM_ADD);
}

void TrayIcon::Remove() {
    m_wanted = false;
    if (m_asked) Notify(NIM_DELETE);
    m_asked = false;
    m_shown = false;
}

void TrayIcon::Retry() {
    if (!m_wanted || m_shown || !m_owner) return;
    // The shell may hold the icon although its add was reported as failed.
    m_shown = Notify(NIM_MODIFY);
    if (!m_shown) Add();
}

bool TrayIcon::OnShellMessage(UINT msg) {
    if (m_taskbarCreated == 0 || msg != m_taskbarCreated) return false;
    // The restarted shell has forgotten every icon: straight to the add.
    m_shown = false;
    if (m_wanted) Add();
    return true;
}

void TrayIcon::ShowBalloon(const wchar_t* title, const std::wstring& text) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner;
    data.uID = kTrayIconId;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = 10000;
    CopyText(data.szInfoTitle, title);
    CopyText(data.szInfo, text.c_str());
    m_notify(NIM_MODIFY, &data);
}
