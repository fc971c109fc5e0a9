// A stand-in for the main window that game frames join: records what frames send it.
#pragma once
#include "support/Process.h"

#include <windows.h>

#include <string>
#include <vector>

class FrameHost {
public:
    struct Registration {
        HWND frame = nullptr;
        LPARAM hall = 0;
    };

    FrameHost();
    ~FrameHost();
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;

    HWND Handle() const noexcept { return m_hwnd; }
    // "/<handle>" as a game process's command line carries it.
    std::wstring Argument() const;
    // Pumps until a frame has announced itself (null after the time).
    HWND WaitForFrame(DWORD ms);
    const std::vector<Registration>& Registrations() const noexcept { return m_registrations; }
    const std::vector<MSG>& Keys() const noexcept { return m_keys; }
    // The game area a frame fills in this host: 4, 30, width - 8, height - 34.
    RECT GameArea() const;
    void Destroy();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    std::vector<Registration> m_registrations;
    std::vector<MSG> m_keys;
};

// The scripted browser inside a frame of another process (null when there is none).
HWND FindScriptedBrowser(HWND frame);
// Asks the scripted browser (ScriptedBrowserProtocol.h); -1 when it does not answer.
LRESULT QueryScriptedBrowser(HWND browser, WPARAM query);
// Sends "the page" a command with text.
bool SendPageCommand(HWND browser, ULONG_PTR command, const std::wstring& text);

