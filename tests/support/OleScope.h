// OLE for the calling thread while the object lives (the browser control needs it).
#pragma once
#include <ole2.h>

class OleScope {
public:
    OleScope() : m_ok(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (m_ok) ::OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool m_ok;
};
