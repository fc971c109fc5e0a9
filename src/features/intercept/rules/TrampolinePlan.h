// How the entry of a function is moved into a trampoline: which whole instructions make up
// the first five bytes (the room the jump needs), how instructions that address relative to
// themselves are re-aimed at their new place, and the jump back behind them.
//
// The trampoline runs the moved instructions and jumps back to the first instruction that
// was not moved, so it behaves like the original function. Everything is computed from the
// bytes and the two addresses alone, so it is checked natively without executing x86 code.
#pragma once
#include "features/intercept/rules/InstructionDecoder.h"

#include <cstddef>
#include <cstdint>

namespace intercept {

// The patch at the target is one `jmp rel32`. On x64 it goes to a relay placed within
// reach of the target (see TrampolinePool), which jumps on to the replacement anywhere.
constexpr size_t kJumpSize = 5;
// 14-byte absolute form `jmp [rip+0]` followed by the 8-byte destination (x64 relay).
constexpr size_t kAbsoluteJumpSize = 14;
// The moved instructions cover at least kJumpSize bytes: at most 4 + one 15-byte instruction.
constexpr size_t kMaxMovedBytes = 4 + 15;
constexpr size_t kMaxTrampolineCode = kMaxMovedBytes + kJumpSize;

enum class PlanError : uint8_t {
    None,
    Truncated,           // the readable bytes end before enough instructions were decoded
    UnknownInstruction,  // the decoder does not know an instruction in the way
    ShortBranch,         // an 8-bit relative branch cannot be moved
    BranchIntoPatch,     // a moved branch lands inside the bytes the jump overwrites
    CallToNext,          // call $+5: reads its own address, which moving would change
    FunctionTooShort,    // the function returns or jumps away before kJumpSize bytes
    OutOfReach,          // a relative address does not fit 32 bits from the trampoline
};

struct TrampolinePlan {
    PlanError error = PlanError::None;
    uint8_t code[kMaxTrampolineCode] = {};
    uint8_t codeSize = 0;     // moved (and re-aimed) instructions plus the jump back
    uint8_t movedLength = 0;  // bytes of the target the moved instructions occupied
    // Bit n set: an instruction starts at offset n of the moved bytes. The moved
    // instructions keep their lengths, so the same offset in the trampoline is that
    // instruction again.
    uint32_t boundaries = 0;

    [[nodiscard]] bool Ok() const { return error == PlanError::None; }
};

// Plans the trampoline at address `trampoline` for the function at `target`, whose first
// `available` bytes are `code`.
TrampolinePlan PlanTrampoline(CpuMode mode, const uint8_t* code, size_t available, uint64_t target,
                              uint64_t trampoline);

// Writes `jmp rel32` at `from` to `to`; false when the distance does not fit 32 bits (x64).
bool EncodeJump(CpuMode mode, uint64_t from, uint64_t to, uint8_t out[kJumpSize]);
// Writes `jmp [rip+0]` with the destination stored right behind it (x64 only).
void EncodeAbsoluteJump(uint64_t to, uint8_t out[kAbsoluteJumpSize]);

// Where a thread stopped `offset` bytes into the moved instructions continues in the
// trampoline; -1 when that offset is not the start of a moved instruction.
int TrampolineOffsetFor(const TrampolinePlan& plan, size_t offset);

// An import thunk is a lone `jmp [pointer]`. Returns the address of that pointer when the
// code at `address` is one, else 0: the real function is where the pointer points.
uint64_t ThunkPointerAddress(CpuMode mode, const uint8_t* code, size_t available, uint64_t address);

}  // namespace intercept
