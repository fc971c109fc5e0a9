#include "update/UpdateCheckThread.h"

#include "update/UpdateCheck.h"

#include <atomic>

namespace {
std::atomic<bool> g_running{false};

struct CheckRequest {
    HWND window;
    UINT message;
};

DWORD WINAPI CheckThread(void* parameter) {
    const CheckRequest request = *static_cast<CheckRequest*>(parameter);
    delete static_cast<CheckRequest*>(parameter);
    const bool available = IsUpdateAvailable(true);
    g_running = false;
    ::PostMessageW(request.window, request.message, available ? 1 : 0, 0);
    return 0;
}
}  // namespace

bool StartForcedUpdateCheck(HWND window, UINT message) {
    bool idle = false;
    if (!g_running.compare_exchange_strong(idle, true)) return false;
    auto* request = new CheckRequest{window, message};
    HANDLE thread = ::CreateThread(nullptr, 0, CheckThread, request, 0, nullptr);
    if (!thread) {
        delete request;
        g_running = false;
        return false;
    }
    ::CloseHandle(thread);  // never joined: it ends with its one check
    return true;
}
