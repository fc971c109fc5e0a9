#include "support/OtherApplication.h"

#include "support/Process.h"

OtherApplication::OtherApplication() {
    m_hwnd = ::CreateWindowExW(0, L"STATIC", L"another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                               200, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(m_hwnd);
    WaitUntil([&] { return ::GetForegroundWindow() == m_hwnd; }, kPatienceMs);
}

OtherApplication::~OtherApplication() { ::DestroyWindow(m_hwnd); }
