// Executable memory for trampolines, handed out in fixed slots.
//
// On x64 the patch at a target is a 5-byte `jmp rel32`, which reaches only ±2 GB, so the
// slot serving a target is allocated within that distance; the slot's relay (`jmp [rip+0]`
// with an 8-byte address) then reaches the replacement wherever it is. We chose this over
// writing a 14-byte absolute jump at the target: five bytes move fewer instructions out of
// the target's entry (fewer places where a branch could land in patched bytes), and a
// trampoline near the target can re-aim RIP-relative instructions it moves. On x86 every
// address is in reach and the patch jumps to the replacement directly.
//
// Slots are never given back once they were live: a thread may have read the trampoline's
// address just before a detach and call it afterwards. A retired trampoline still runs the
// moved instructions and jumps back into the restored original, so such a late call is
// still correct. The cost is one slot per attach for the life of the process.
#pragma once
#include "features/intercept/rules/TrampolinePlan.h"

#include <cstdint>

namespace intercept {

enum class SlotState : uint8_t { Free, Reserved, Live, Retired };

struct TrampolineSlot {
    // Executed parts first, each at a 16-byte boundary.
    alignas(16) uint8_t code[32];  // the trampoline: moved instructions, then the jump back
    alignas(16) uint8_t relay[16];  // x64: absolute jump to the replacement
    // Book-keeping, never executed.
    TrampolinePlan plan;
    uint8_t* target;
    void* replacement;
    uint8_t original[kMaxMovedBytes];  // the target's bytes the patch replaced
    uint8_t patch[kMaxMovedBytes];     // the patch: the jump, then int3 over the rest
    SlotState state;
};

// A free slot from which a rel32 jump reaches `target`, marked Reserved; nullptr when none
// is free and no memory within reach can be allocated.
TrampolineSlot* ReserveSlot(const void* target) noexcept;
// Returns a Reserved slot that never went live.
void ReleaseSlot(TrampolineSlot* slot) noexcept;
// The slot whose trampoline code starts at `code`; nullptr for any other address.
TrampolineSlot* FindSlotByCode(const void* code) noexcept;

// Slots live in execute-read memory: write them inside a WritableCode scope (CodeMemory.h).

}  // namespace intercept
