// GDI+ with the pieces MinGW's headers need, and a session owner.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

// The process's one GDI+ session: started by the first call, ended as the process ends, after
// every window that draws with it. True when GDI+ is running.
bool StartProcessGdiplus();

// GDI+ started for the owner's life (the tests' own programs).
class GdiplusSession {
public:
    GdiplusSession() noexcept {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (m_ok) Gdiplus::GdiplusShutdown(m_token);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    [[nodiscard]] bool Ok() const noexcept { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};
