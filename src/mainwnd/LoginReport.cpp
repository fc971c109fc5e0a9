#include "mainwnd/LoginReport.h"

#include "update/HttpFetch.h"

#include <windows.h>

#include <memory>

namespace {
DWORD WINAPI LoginReportThread(LPVOID parameter) {
    // The thread owns its address.
    std::unique_ptr<std::wstring> url(static_cast<std::wstring*>(parameter));
    HttpPing(url->c_str());
    return 0;
}
}  // namespace

void StartLoginReport(std::wstring url) {
    auto owned = std::make_unique<std::wstring>(std::move(url));
    HANDLE thread = ::CreateThread(nullptr, 0, &LoginReportThread, owned.get(), 0, nullptr);
    if (!thread) return;
    (void)owned.release();
    ::CloseHandle(thread);
}
