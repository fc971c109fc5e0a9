// Replaces one entry of COM interface tables with our function and remembers the method it
// replaced. An interface table is shared by every object of its class, so patching it once
// covers all later objects of that class.
//
// Each distinct table is patched once (up to kMaxTables of them): an application that
// first creates, say, a primary sound buffer and then secondary ones (different classes,
// different tables) has both kinds covered, not just the first one it happened to create.
// The patching takes a small lock, so two threads creating their first objects at the
// same moment cannot both patch one table, the second saving our own function as the
// "real" method (which would then call itself without end).
#pragma once
#include <windows.h>

#include <atomic>

class InterfaceSlotPatch {
public:
    static constexpr int kMaxTables = 8;

    constexpr explicit InterfaceSlotPatch(int index) noexcept : m_index(index) {}
    InterfaceSlotPatch(const InterfaceSlotPatch&) = delete;
    InterfaceSlotPatch& operator=(const InterfaceSlotPatch&) = delete;

    // Puts `replacement` into entry `index` of the object's table unless that table was
    // patched already. The table's memory protection is restored afterwards.
    void Patch(void* object, void* replacement) noexcept;
    // The method that entry held before it was patched, for this object's table; nullptr
    // when its table was not patched.
    [[nodiscard]] void* RealFor(const void* object) const noexcept;
    // How many tables carry the replacement.
    [[nodiscard]] int PatchedTables() const noexcept { return m_count.load(std::memory_order_acquire); }

private:
    static void** TableOf(const void* object) noexcept { return *static_cast<void** const*>(object); }

    struct Entry {
        void** slot = nullptr;
        void* real = nullptr;
    };
    const int m_index;
    Entry m_entries[kMaxTables] = {};
    std::atomic<int> m_count{0};  // entries below it are complete and never change
    std::atomic_flag m_lock = ATOMIC_FLAG_INIT;
};
