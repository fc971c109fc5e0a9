#include "features/intercept/ThreadFreeze.h"

#include <tlhelp32.h>

namespace intercept {
namespace {

std::vector<DWORD> OtherThreadIds() {
    std::vector<DWORD> ids;
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return ids;
    const DWORD process = ::GetCurrentProcessId();
    const DWORD self = ::GetCurrentThreadId();
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID == process && entry.th32ThreadID != self) ids.push_back(entry.th32ThreadID);
        entry.dwSize = sizeof(entry);
    }
    return ids;
}

}  // namespace

OtherThreadsFrozen::OtherThreadsFrozen() : m_ids(OtherThreadIds()) {
    m_threads.reserve(m_ids.size());  // no allocation once the first thread is stopped
    for (DWORD id : m_ids) {
        UniqueHandle thread(::OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, id));
        // A thread that ended since the snapshot cannot be opened or suspended: skip it.
        if (thread && ::SuspendThread(thread.Get()) != static_cast<DWORD>(-1)) m_threads.push_back(std::move(thread));
    }
}

OtherThreadsFrozen::~OtherThreadsFrozen() {
    for (const UniqueHandle& thread : m_threads) ::ResumeThread(thread.Get());
}

bool OtherThreadsFrozen::GetInstructionPointer(HANDLE thread, uintptr_t& ip) noexcept {
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    // Also makes sure the suspension has taken effect before the patch is written.
    if (!::GetThreadContext(thread, &context)) return false;
#ifdef _WIN64
    ip = context.Rip;
#else
    ip = context.Eip;
#endif
    return true;
}

void OtherThreadsFrozen::SetInstructionPointer(HANDLE thread, uintptr_t ip) noexcept {
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    if (!::GetThreadContext(thread, &context)) return;
#ifdef _WIN64
    context.Rip = ip;
#else
    context.Eip = ip;
#endif
    ::SetThreadContext(thread, &context);
}

}  // namespace intercept
