#include "features/InterfaceSlotPatch.h"

namespace {
// Held only while a table entry is patched, a handful of times per process.
class SpinLock {
public:
    explicit SpinLock(std::atomic_flag& lock) noexcept : m_lock(lock) {
        while (m_lock.test_and_set(std::memory_order_acquire)) ::Sleep(0);
    }
    ~SpinLock() { m_lock.clear(std::memory_order_release); }
    SpinLock(const SpinLock&) = delete;
    SpinLock& operator=(const SpinLock&) = delete;

private:
    std::atomic_flag& m_lock;
};
}  // namespace

void InterfaceSlotPatch::Patch(void* object, void* replacement) noexcept {
    if (!object || !replacement) return;
    void** slot = TableOf(object) + m_index;
    SpinLock lock(m_lock);
    const int count = m_count.load(std::memory_order_relaxed);
    for (int i = 0; i < count; ++i) {
        if (m_entries[i].slot == slot) return;
    }
    void* current = *slot;
    // Never remember our own function as the real one (a table copied from a patched one).
    if (count == kMaxTables || current == replacement) return;

    DWORD old = 0;
    if (!::VirtualProtectEx(::GetCurrentProcess(), slot, sizeof(void*), PAGE_EXECUTE_READWRITE, &old)) return;
    // Publish the real method before the table leads anyone to the replacement.
    m_entries[count] = Entry{slot, current};
    m_count.store(count + 1, std::memory_order_release);
    ::InterlockedCompareExchangePointer(slot, replacement, current);
    DWORD ignored = 0;
    ::VirtualProtectEx(::GetCurrentProcess(), slot, sizeof(void*), old, &ignored);
}

void* InterfaceSlotPatch::RealFor(const void* object) const noexcept {
    if (!object) return nullptr;
    void** slot = TableOf(object) + m_index;
    const int count = m_count.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        if (m_entries[i].slot == slot) return m_entries[i].real;
    }
    return nullptr;
}
