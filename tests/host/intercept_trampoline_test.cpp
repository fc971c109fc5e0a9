// Moving a function's entry into a trampoline: which instructions move, how relative
// addresses are re-aimed, the jump back, and the entries that are refused.
#include "features/intercept/rules/TrampolinePlan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace intercept;

namespace {
TrampolinePlan Plan(CpuMode mode, const std::vector<uint8_t>& code, uint64_t target, uint64_t trampoline) {
    return PlanTrampoline(mode, code.data(), code.size(), target, trampoline);
}

int32_t Rel32At(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::vector<uint8_t> Bytes(const uint8_t* p, size_t n) { return std::vector<uint8_t>(p, p + n); }

// Where a jmp/call rel32 written at `at` (instruction of `length` bytes, rel32 at its end) goes.
uint64_t Destination64(uint64_t at, size_t length, const uint8_t* rel) {
    return at + length + static_cast<int64_t>(Rel32At(rel));
}
}  // namespace

TEST(TrampolinePlanX86, HotPatchPrologueMovesFiveBytesAndJumpsBack) {
    const uint64_t target = 0x7C801000, trampoline = 0x00390000;
    const TrampolinePlan plan = Plan(CpuMode::X86, {0x8B, 0xFF, 0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x10}, target, trampoline);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 5);
    ASSERT_EQ(plan.codeSize, 10);
    EXPECT_EQ(Bytes(plan.code, 5), (std::vector<uint8_t>{0x8B, 0xFF, 0x55, 0x8B, 0xEC}));
    EXPECT_EQ(plan.code[5], 0xE9);
    EXPECT_EQ(static_cast<uint32_t>(trampoline + 10 + Rel32At(plan.code + 6)), target + 5);
}

TEST(TrampolinePlanX86, SehPrologueMovesWholeInstructionsOnly) {
    const TrampolinePlan plan =
        Plan(CpuMode::X86, {0x6A, 0x14, 0x68, 0x10, 0x20, 0x30, 0x40, 0xE8, 0, 0, 0, 0}, 0x77001000, 0x10000);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 7);
    EXPECT_EQ(Bytes(plan.code, 7), (std::vector<uint8_t>{0x6A, 0x14, 0x68, 0x10, 0x20, 0x30, 0x40}));
}

TEST(TrampolinePlanX86, RelativeCallIsReAimedAcrossTheWholeAddressSpace) {
    // The trampoline is 3.5 GB away: on x86 a rel32 reaches it by wrapping around.
    const uint64_t target = 0x10001000, trampoline = 0xF0000000;
    const uint64_t callee = 0x10005000;
    const int32_t rel = static_cast<int32_t>(callee - (target + 5));
    std::vector<uint8_t> code = {0xE8, 0, 0, 0, 0, 0x90};
    std::memcpy(code.data() + 1, &rel, 4);
    const TrampolinePlan plan = Plan(CpuMode::X86, code, target, trampoline);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 5);
    EXPECT_EQ(plan.code[0], 0xE8);
    EXPECT_EQ(static_cast<uint32_t>(trampoline + 5 + Rel32At(plan.code + 1)), callee);
    EXPECT_EQ(static_cast<uint32_t>(trampoline + 10 + Rel32At(plan.code + 6)), target + 5);
}

TEST(TrampolinePlanX86, AbsoluteAddressesMoveUnchanged) {
    const std::vector<uint8_t> code = {0xA1, 0x00, 0x10, 0x40, 0x00, 0xC3};  // mov eax, [401000h]
    const TrampolinePlan plan = Plan(CpuMode::X86, code, 0x00401500, 0x00900000);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(Bytes(plan.code, 5), Bytes(code.data(), 5));
}

TEST(TrampolinePlanX86, JumpAtTheEntryIsMovedWithoutAJumpBack) {
    // An entry that is already a jump (hooked by someone else) chains to where it went.
    const uint64_t target = 0x401000, trampoline = 0x500000, elsewhere = 0x402000;
    const int32_t rel = static_cast<int32_t>(elsewhere - (target + 5));
    std::vector<uint8_t> code = {0xE9, 0, 0, 0, 0, 0xCC, 0xCC};
    std::memcpy(code.data() + 1, &rel, 4);
    const TrampolinePlan plan = Plan(CpuMode::X86, code, target, trampoline);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.codeSize, 5);
    EXPECT_EQ(static_cast<uint32_t>(trampoline + 5 + Rel32At(plan.code + 1)), elsewhere);
}

TEST(TrampolinePlanX64, WinePrologueWithRipRelativeLoadIsReAimed) {
    // sub rsp,38h ; test byte [rip+7E15h], 8 ; jne +0Bh
    const std::vector<uint8_t> code = {0x48, 0x83, 0xEC, 0x38, 0xF6, 0x05, 0x15, 0x7E, 0, 0, 0x08, 0x75, 0x0B};
    const uint64_t target = 0x2945FC770, trampoline = 0x2945E0000 + 0x40;
    const TrampolinePlan plan = Plan(CpuMode::X64, code, target, trampoline);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 11);
    ASSERT_EQ(plan.codeSize, 16);
    // The data the original instruction read, seen from both places (end of the instruction + disp).
    EXPECT_EQ(Destination64(trampoline + 4, 7, plan.code + 6), target + 11 + 0x7E15);
    EXPECT_EQ(plan.code[10], 0x08);  // the immediate behind the displacement is untouched
    EXPECT_EQ(plan.code[11], 0xE9);
    EXPECT_EQ(Destination64(trampoline + 11, 5, plan.code + 12), target + 11);
}

TEST(TrampolinePlanX64, PushesAndLeaOfWineExports) {
    // waveOutWrite: push r14; push r13; push r12 -> 6 bytes, nothing to re-aim.
    TrampolinePlan plan = Plan(CpuMode::X64, {0x41, 0x56, 0x41, 0x55, 0x41, 0x54, 0x55}, 0x180001000, 0x180000040);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 6);
    // DirectSoundCreate: push rbp; push rdi; push rsi; push rbx; sub rsp,78h -> 8 bytes.
    plan = Plan(CpuMode::X64, {0x55, 0x57, 0x56, 0x53, 0x48, 0x83, 0xEC, 0x78}, 0x180001000, 0x180000040);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 8);
    // waveOutGetNumDevs: sub rsp,38h; call rel32 -> the call is re-aimed at the same callee.
    const uint64_t target = 0x2945FA000, trampoline = 0x294590000;
    std::vector<uint8_t> code = {0x48, 0x83, 0xEC, 0x38, 0xE8, 0x57, 0xBC, 0xFF, 0xFF, 0x89, 0xC2};
    plan = Plan(CpuMode::X64, code, target, trampoline);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 9);
    EXPECT_EQ(Destination64(trampoline + 4, 5, plan.code + 5), Destination64(target + 4, 5, code.data() + 5));
}

TEST(TrampolinePlanX64, OutOfReachIsRefused) {
    const std::vector<uint8_t> ripLoad = {0x8B, 0x05, 0, 0, 0, 0x7F, 0x90};  // mov eax, [rip+7F000000h]
    // The data is 2 GB above the target; a trampoline 1 GB below cannot address it.
    EXPECT_EQ(Plan(CpuMode::X64, ripLoad, 0x200000000, 0x200000000 - 0x40000000).error, PlanError::OutOfReach);
    // Plain code, but the jump back would have to cross more than 2 GB.
    EXPECT_EQ(Plan(CpuMode::X64, {0x55, 0x48, 0x89, 0xE5, 0x90}, 0x300000000, 0x100000000).error,
              PlanError::OutOfReach);
    uint8_t jump[kJumpSize];
    EXPECT_FALSE(EncodeJump(CpuMode::X64, 0x100000000, 0x200000000, jump));
    EXPECT_TRUE(EncodeJump(CpuMode::X86, 0x10000000, 0xF0000000, jump));
}

TEST(TrampolinePlan, RefusedEntries) {
    struct Case {
        CpuMode mode;
        std::vector<uint8_t> code;
        PlanError error;
    };
    const Case cases[] = {
        {CpuMode::X86, {0xEB, 0x10, 0x90, 0x90, 0x90, 0x90}, PlanError::ShortBranch},
        {CpuMode::X64, {0x55, 0x74, 0x05, 0x90, 0x90, 0x90}, PlanError::ShortBranch},  // jcc short inside
        {CpuMode::X64, {0x48, 0x85, 0xC9, 0xE3, 0x02, 0x90}, PlanError::ShortBranch},  // jrcxz
        {CpuMode::X86, {0xC3, 0x90, 0x90, 0x90, 0x90}, PlanError::FunctionTooShort},
        {CpuMode::X64, {0x31, 0xC0, 0xC3, 0xCC, 0xCC, 0xCC}, PlanError::FunctionTooShort},  // xor eax,eax; ret
        {CpuMode::X86, {0xE8, 0, 0, 0, 0, 0x58}, PlanError::CallToNext},                   // call $+5; pop eax
        {CpuMode::X86, {0x90, 0x90, 0x90, 0xE9, 0xFA, 0xFF, 0xFF, 0xFF}, PlanError::BranchIntoPatch},  // -> +2
        {CpuMode::X64, {0x90, 0x0F, 0x84, 0xFA, 0xFF, 0xFF, 0xFF}, PlanError::BranchIntoPatch},        // -> +1
        {CpuMode::X64, {0x55, 0xC5, 0xF8, 0x77, 0x90, 0x90}, PlanError::UnknownInstruction},
        {CpuMode::X86, {0x55, 0xCC, 0x90, 0x90, 0x90, 0x90}, PlanError::UnknownInstruction},
        {CpuMode::X64, {0x55, 0x48, 0x89}, PlanError::Truncated},
        {CpuMode::X64, {}, PlanError::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.code));
        const TrampolinePlan plan = Plan(c.mode, c.code, 0x180001000, 0x180000040);
        EXPECT_EQ(plan.error, c.error);
        EXPECT_FALSE(plan.Ok());
        EXPECT_EQ(plan.codeSize, 0);
    }
}

TEST(TrampolinePlan, BranchToTheEntryItselfIsAllowed) {
    // A loop back to offset 0 reaches the patch jump, which is a valid entry.
    const TrampolinePlan plan = Plan(CpuMode::X86, {0x90, 0x0F, 0x85, 0xF9, 0xFF, 0xFF, 0xFF}, 0x401000, 0x500000);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(static_cast<uint32_t>(0x500000 + 7 + Rel32At(plan.code + 3)), 0x401000u);
}

TEST(TrampolinePlan, ThreadsInsideTheMovedBytesMapToTheSameInstruction) {
    // push rbp (0); mov rbp,rsp (1); sub rsp,20h (4)
    const TrampolinePlan plan =
        Plan(CpuMode::X64, {0x55, 0x48, 0x89, 0xE5, 0x48, 0x83, 0xEC, 0x20}, 0x180001000, 0x180000040);
    ASSERT_TRUE(plan.Ok());
    EXPECT_EQ(plan.movedLength, 8);
    EXPECT_EQ(TrampolineOffsetFor(plan, 0), 0);
    EXPECT_EQ(TrampolineOffsetFor(plan, 1), 1);
    EXPECT_EQ(TrampolineOffsetFor(plan, 4), 4);
    EXPECT_EQ(TrampolineOffsetFor(plan, 2), -1);  // mid-instruction: never a stopped thread
    EXPECT_EQ(TrampolineOffsetFor(plan, 8), -1);  // not moved
    EXPECT_EQ(TrampolineOffsetFor(TrampolinePlan{}, 0), -1);
}

TEST(TrampolinePlan, JumpEncodings) {
    uint8_t near[kJumpSize];
    ASSERT_TRUE(EncodeJump(CpuMode::X64, 0x180001000, 0x180000040, near));
    EXPECT_EQ(near[0], 0xE9);
    EXPECT_EQ(Destination64(0x180001000, 5, near + 1), 0x180000040u);

    uint8_t far[kAbsoluteJumpSize];
    EncodeAbsoluteJump(0x1122334455667788, far);
    EXPECT_EQ(Bytes(far, kAbsoluteJumpSize), (std::vector<uint8_t>{0xFF, 0x25, 0, 0, 0, 0, 0x88, 0x77, 0x66, 0x55,
                                                                    0x44, 0x33, 0x22, 0x11}));
}

TEST(TrampolinePlan, ImportThunksAreRecognised) {
    const std::vector<uint8_t> x86 = {0xFF, 0x25, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(ThunkPointerAddress(CpuMode::X86, x86.data(), x86.size(), 0x401000), 0x12345678u);
    const std::vector<uint8_t> x64 = {0xFF, 0x25, 0x10, 0x00, 0x00, 0x00};
    EXPECT_EQ(ThunkPointerAddress(CpuMode::X64, x64.data(), x64.size(), 0x1000), 0x1016u);
    const std::vector<uint8_t> x64w = {0x48, 0xFF, 0x25, 0xF0, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(ThunkPointerAddress(CpuMode::X64, x64w.data(), x64w.size(), 0x1000), 0x0FF7u);
    const std::vector<uint8_t> notThunk = {0xFF, 0x15, 0x10, 0x00, 0x00, 0x00};
    EXPECT_EQ(ThunkPointerAddress(CpuMode::X64, notThunk.data(), notThunk.size(), 0x1000), 0u);
    EXPECT_EQ(ThunkPointerAddress(CpuMode::X64, x64.data(), 5, 0x1000), 0u);
    EXPECT_EQ(ThunkPointerAddress(CpuMode::X64, nullptr, 0, 0x1000), 0u);
}

TEST(TrampolinePlan, ArbitraryCodeGivesAPlanWithinItsBoundsOrARefusal) {
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<uint8_t>(seed >> 24);
    };
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> code(1 + next() % 24);
        for (uint8_t& b : code) b = next();
        const CpuMode mode = round % 2 ? CpuMode::X64 : CpuMode::X86;
        const TrampolinePlan plan = Plan(mode, code, 0x180001000, 0x180000040);
        if (!plan.Ok()) {
            EXPECT_EQ(plan.codeSize, 0);
            continue;
        }
        ++accepted;
        ASSERT_GE(plan.movedLength, kJumpSize);
        ASSERT_LE(plan.movedLength, code.size());
        ASSERT_LE(plan.movedLength, kMaxMovedBytes);
        ASSERT_LE(plan.codeSize, kMaxTrampolineCode);
        ASSERT_EQ(plan.boundaries & 1u, 1u);
    }
    EXPECT_GT(accepted, 0);
}
