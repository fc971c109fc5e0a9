// A window of the test program in front and with the keyboard: "another application" for
// keys the launcher must leave alone or catch system-wide.
#pragma once
#include <windows.h>

class OtherApplication {
public:
    OtherApplication();
    ~OtherApplication();
    OtherApplication(const OtherApplication&) = delete;
    OtherApplication& operator=(const OtherApplication&) = delete;
    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};
