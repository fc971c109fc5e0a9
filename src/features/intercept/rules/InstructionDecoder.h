// Length decoder for the x86 and x86-64 instructions found at the entry of the functions we
// intercept. It knows the general-purpose one-byte map, the usual two-byte (0F) map and the
// SSE forms compilers put into prologues; anything else is refused rather than guessed,
// because a wrong length would cut an instruction in half when it is moved.
#pragma once
#include <cstddef>
#include <cstdint>

namespace intercept {

enum class CpuMode : uint8_t { X86, X64 };

// What moving the instruction to another address requires.
enum class Relocation : uint8_t {
    None,         // position independent: copy as it is
    RipRelative,  // x64 memory operand addressed from the next instruction (32-bit displacement)
    Branch32,     // call, jmp or jcc with a 32-bit displacement
    Branch8,      // short jmp, jcc, loop, jcxz: cannot reach far from where it is moved
};

// How control leaves the instruction.
enum class Flow : uint8_t {
    Next,  // falls through (conditional branches included)
    Call,  // call: comes back to the next instruction
    Ends,  // ret, jmp: the code after it is not part of this path
};

struct Instruction {
    uint8_t length = 0;
    Relocation relocation = Relocation::None;
    Flow flow = Flow::Next;
    uint8_t displacementOffset = 0;  // where the displacement a relocation adjusts starts
};

enum class DecodeStatus : uint8_t {
    Ok,
    Truncated,  // the bytes end inside the instruction
    Unknown,    // an opcode, prefix or form the tables do not cover
};

struct Decoded {
    DecodeStatus status = DecodeStatus::Unknown;
    Instruction instruction;
};

// Decodes the one instruction at code[0], reading at most `available` bytes.
Decoded DecodeInstruction(CpuMode mode, const uint8_t* code, size_t available);

}  // namespace intercept
