// Suspends every other thread of the process while code is patched, so no thread runs
// through half-written bytes, and lets the patcher move a stopped thread's instruction
// pointer out of the bytes it overwrites.
//
// While the threads are suspended one of them may hold the heap lock: nothing between
// construction and destruction may allocate. All memory is taken in the constructor
// before the first thread is suspended.
#pragma once
#include "base/Handles.h"

#include <cstdint>
#include <vector>

namespace intercept {

class OtherThreadsFrozen {
public:
    OtherThreadsFrozen();
    ~OtherThreadsFrozen();
    OtherThreadsFrozen(const OtherThreadsFrozen&) = delete;
    OtherThreadsFrozen& operator=(const OtherThreadsFrozen&) = delete;

    // Calls move(ip) with each suspended thread's instruction pointer; a changed value is
    // written back into the thread.
    template <class Move>
    void MoveInstructionPointers(Move move) {
        for (const UniqueHandle& thread : m_threads) {
            uintptr_t ip = 0;
            if (!GetInstructionPointer(thread.Get(), ip)) continue;
            const uintptr_t before = ip;
            move(ip);
            if (ip != before) SetInstructionPointer(thread.Get(), ip);
        }
    }

private:
    static bool GetInstructionPointer(HANDLE thread, uintptr_t& ip) noexcept;
    static void SetInstructionPointer(HANDLE thread, uintptr_t ip) noexcept;

    // Both are released only after the destructor has resumed the threads: freeing memory
    // while they are stopped could wait forever on a heap lock one of them holds.
    std::vector<DWORD> m_ids;
    std::vector<UniqueHandle> m_threads;  // suspended, resumed and closed on destruction
};

}  // namespace intercept
