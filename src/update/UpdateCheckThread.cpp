#include "update/UpdateCheckThread.h"

#include "update/UpdateCheck.h"

#include "base/Handles.h"

#include <atomic>
#include <memory>

namespace {
std::atomic<bool> g_running{false};

struct CheckRequest {
    HWND window;
    UINT message;
};

DWORD WINAPI CheckThread(void* parameter) {
    const std::unique_ptr<CheckRequest> owned(static_cast<CheckRequest*>(parameter));
    const CheckRequest request = *owned;
    // Only what this thread owns is written: after the window has gone, the process's
    // globals may be being destroyed while this still runs.
    const bool available = IsOtherBuildPublishedNow();
    g_running = false;
    ::PostMessageW(request.window, request.message, available ? 1 : 0, 0);
    return 0;
}
}  // namespace

bool StartForcedUpdateCheck(HWND window, UINT message) {
    bool idle = false;
    if (!g_running.compare_exchange_strong(idle, true)) return false;
    auto request = std::make_unique<CheckRequest>(CheckRequest{window, message});
    // Never joined: it ends with its one check, touches nothing of its caller's, and its
    // answer to a window that has gone is simply lost.
    const UniqueHandle thread(::CreateThread(nullptr, 0, CheckThread, request.get(), 0, nullptr));
    if (!thread) {
        g_running = false;
        return false;
    }
    (void)request.release();  // the thread owns it now
    return true;
}
