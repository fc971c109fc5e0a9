// The main window's notification-area icon, and keeping it there when the shell restarts.
#include "mainwnd/MainDlg.h"

#include "base/Messages.h"

#include <shellapi.h>

#include <cwchar>

namespace {
constexpr UINT kTrayIconId = 1;

// Absent before Vista (and ChangeWindowMessageFilterEx before 7), so looked up at run time.
using ChangeFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
using ChangeFilterFn = BOOL(WINAPI*)(UINT, DWORD);
constexpr DWORD kMsgFilterAllow = 1;  // MSGFLT_ALLOW, and MSGFLT_ADD for the older call
}  // namespace

void CBrindlow3Dlg::SetTrayIcon(bool add) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_hWnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_NOTIFY;
    data.hIcon = m_hIcon;
    std::wcsncpy(data.szTip, L"QuarnelHalvira", sizeof(data.szTip) / sizeof(data.szTip[0]) - 1);
    // A missing notification area is not an error; a failed add is tried again on the timer.
    const bool done = ::Shell_NotifyIconW(add ? NIM_ADD : NIM_DELETE, &data) != FALSE;
    m_bTrayIconShown = add && done;
}

void CBrindlow3Dlg::ShowTrayBalloon(const wchar_t* title, const std::wstring& text) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_hWnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = 10000;
    std::wcsncpy(data.szInfoTitle, title, sizeof(data.szInfoTitle) / sizeof(data.szInfoTitle[0]) - 1);
    std::wcsncpy(data.szInfo, text.c_str(), sizeof(data.szInfo) / sizeof(data.szInfo[0]) - 1);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void CBrindlow3Dlg::AllowTaskbarCreatedMessage() {
    m_uTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    if (m_uTaskbarCreated == 0) return;
    // The launcher runs elevated; the shell does not, and from Vista on the message filter
    // drops its broadcast unless this window lets that one message through.
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    if (auto filterEx = reinterpret_cast<ChangeFilterExFn>(
            reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
        filterEx(m_hWnd, m_uTaskbarCreated, kMsgFilterAllow, nullptr);
    } else if (auto filter = reinterpret_cast<ChangeFilterFn>(
                   reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
        filter(m_uTaskbarCreated, kMsgFilterAllow);
    }
}

void CBrindlow3Dlg::OnTaskbarCreated() {
    // A restarted shell has forgotten every icon; a window still at its login stage has none.
    if (!m_bRunning) return;
    m_bTrayIconShown = false;
    SetTrayIcon(true);
}
