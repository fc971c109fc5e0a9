// What a game process knows of its place in the launcher: the main window hosting it, its tab
// and the game address it shows. Set from the command line and by the login window before the
// frame exists; read by the frame, its view and the login window.
#pragma once
#include <windows.h>

#include <string>

class GameProcess {
public:
    HWND m_hHostWnd = nullptr;  // the host main window (tab and hall processes); null otherwise
    int m_nHostTabNo = 0;       // the tab this process fills; 0 for the first login
    // The address the frame shows: the default (hall) page until a login chooses a server.
    std::wstring m_strGameUrl;

    // Whether m_strGameUrl is exactly the default page.
    bool IsShowingDefaultPage() const;
};

// This process's one instance.
GameProcess& TheGameProcess();
