// The main window's icon in the notification area. Once wanted it stays there: it is added
// again when the shell was not ready or has restarted, and removed when its owner goes.
//
// The shell's answer is not to be trusted either way: a busy shell times out and reports
// failure for an icon it did add. So a failed icon is tried again with a modify before an
// add (the add of an icon that exists fails for ever), and removal always deletes.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

class TrayIcon {
public:
    // The shell's call; tests put a stand-in for the shell in its place.
    using NotifyCall = BOOL(WINAPI*)(DWORD action, NOTIFYICONDATAW* data);

    explicit TrayIcon(NotifyCall notify = &::Shell_NotifyIconW) noexcept : m_notify(notify) {}
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The window that owns the icon and receives callbackMessage from it. Also lets the
    // shell's restart broadcast through to that window.
    void Attach(HWND owner, HICON icon, UINT callbackMessage);
    void Add();     // wanted from now on; shown once the shell accepts it
    void Remove();  // no longer wanted
    // For the owner's timer: adds a wanted icon the shell did not take.
    void Retry();
    // For the owner's window procedure: true for the shell's restart broadcast, after which a
    // wanted icon is added again (the shell has forgotten every icon).
    bool OnShellMessage(UINT msg);
    void ShowBalloon(const wchar_t* title, const std::wstring& text) const;

private:
    bool Notify(DWORD action) const;

    NotifyCall m_notify;
    HWND m_owner = nullptr;
    HICON m_icon = nullptr;
    UINT m_callbackMessage = 0;
    UINT m_taskbarCreated = 0;  // the shell's broadcast after it (re)started
    bool m_wanted = false;
    bool m_shown = false;       // the shell said it took the icon (it forgets it when it restarts)
    bool m_asked = false;       // an icon was asked for: the shell may hold one whatever it said
};
