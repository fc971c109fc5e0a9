#include "features/intercept/rules/TrampolinePlan.h"

#include <cstring>

namespace intercept {
namespace {

int64_t ReadSigned(const uint8_t* p, size_t size) {
    if (size == 1) return static_cast<int8_t>(p[0]);
    uint32_t v = 0;
    std::memcpy(&v, p, 4);  // x86 is little-endian, and so are the hosts this is tested on
    return static_cast<int32_t>(v);
}

void WriteInt32(uint8_t* p, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// The 32-bit displacement that reaches `destination` from the end of an instruction at
// `end`. On x86 addresses wrap at 4 GB, so every destination is reachable.
bool Displacement(CpuMode mode, uint64_t end, uint64_t destination, int32_t& out) {
    if (mode == CpuMode::X86) {
        out = static_cast<int32_t>(static_cast<uint32_t>(destination - end));
        return true;
    }
    const int64_t distance = static_cast<int64_t>(destination - end);
    if (distance < INT32_MIN || distance > INT32_MAX) return false;
    out = static_cast<int32_t>(distance);
    return true;
}

uint64_t Wrap(CpuMode mode, uint64_t address) {
    return mode == CpuMode::X86 ? (address & 0xFFFFFFFFull) : address;
}

}  // namespace

bool EncodeJump(CpuMode mode, uint64_t from, uint64_t to, uint8_t out[kJumpSize]) {
    int32_t rel = 0;
    if (!Displacement(mode, from + kJumpSize, to, rel)) return false;
    out[0] = 0xE9;
    WriteInt32(out + 1, rel);
    return true;
}

void EncodeAbsoluteJump(uint64_t to, uint8_t out[kAbsoluteJumpSize]) {
    const uint8_t head[6] = {0xFF, 0x25, 0, 0, 0, 0};
    std::memcpy(out, head, sizeof(head));
    for (int i = 0; i < 8; ++i) out[6 + i] = static_cast<uint8_t>(to >> (8 * i));
}

TrampolinePlan PlanTrampoline(CpuMode mode, const uint8_t* code, size_t available, uint64_t target,
                              uint64_t trampoline) {
    TrampolinePlan plan;
    auto fail = [&](PlanError error) {
        TrampolinePlan failed;
        failed.error = error;
        return failed;
    };
    // Destinations of moved branches, checked once the moved length is known.
    uint64_t branchDestinations[kMaxMovedBytes];
    size_t branchCount = 0;
    size_t offset = 0;
    bool endsFlow = false;

    while (offset < kJumpSize) {
        const Decoded decoded = DecodeInstruction(mode, code + offset, available - offset);
        if (decoded.status == DecodeStatus::Truncated) return fail(PlanError::Truncated);
        if (decoded.status != DecodeStatus::Ok) return fail(PlanError::UnknownInstruction);
        const Instruction& insn = decoded.instruction;
        if (insn.relocation == Relocation::Branch8) return fail(PlanError::ShortBranch);

        uint8_t* copy = plan.code + offset;
        std::memcpy(copy, code + offset, insn.length);
        plan.boundaries |= 1u << offset;

        if (insn.relocation == Relocation::RipRelative || insn.relocation == Relocation::Branch32) {
            const uint64_t oldEnd = target + offset + insn.length;
            const int64_t disp = ReadSigned(code + offset + insn.displacementOffset, 4);
            const uint64_t destination = Wrap(mode, oldEnd + static_cast<uint64_t>(disp));
            if (insn.relocation == Relocation::Branch32) {
                if (insn.flow == Flow::Call && destination == Wrap(mode, oldEnd)) return fail(PlanError::CallToNext);
                branchDestinations[branchCount++] = destination;
            }
            int32_t moved = 0;
            if (!Displacement(mode, trampoline + offset + insn.length, destination, moved)) {
                return fail(PlanError::OutOfReach);
            }
            WriteInt32(copy + insn.displacementOffset, moved);
        }
        offset += insn.length;
        if (insn.flow == Flow::Ends) {
            if (offset < kJumpSize) return fail(PlanError::FunctionTooShort);
            endsFlow = true;
        }
    }

    // A branch back into the overwritten bytes would land inside the patch jump. The start
    // of the function stays a valid entry (it holds the jump to the replacement).
    for (size_t i = 0; i < branchCount; ++i) {
        const uint64_t d = branchDestinations[i];
        if (d > Wrap(mode, target) && d < Wrap(mode, target + offset)) return fail(PlanError::BranchIntoPatch);
    }

    plan.movedLength = static_cast<uint8_t>(offset);
    plan.codeSize = static_cast<uint8_t>(offset);
    if (!endsFlow) {
        if (!EncodeJump(mode, trampoline + offset, target + offset, plan.code + offset)) {
            return fail(PlanError::OutOfReach);
        }
        plan.codeSize = static_cast<uint8_t>(offset + kJumpSize);
    }
    return plan;
}

int TrampolineOffsetFor(const TrampolinePlan& plan, size_t offset) {
    if (!plan.Ok() || offset >= plan.movedLength) return -1;
    return (plan.boundaries >> offset) & 1u ? static_cast<int>(offset) : -1;
}

uint64_t ThunkPointerAddress(CpuMode mode, const uint8_t* code, size_t available, uint64_t address) {
    size_t pos = 0;
    if (mode == CpuMode::X64 && available > 0 && code[0] == 0x48) pos = 1;  // REX.W form of the thunk
    if (available < pos + 6 || code[pos] != 0xFF || code[pos + 1] != 0x25) return 0;
    const int64_t disp = ReadSigned(code + pos + 2, 4);
    if (mode == CpuMode::X86) return static_cast<uint32_t>(disp);  // jmp [absolute]
    return address + pos + 6 + static_cast<uint64_t>(disp);         // jmp [rip+disp]
}

}  // namespace intercept
