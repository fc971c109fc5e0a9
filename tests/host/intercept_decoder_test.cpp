// The instruction-length tables of the interception layer: byte sequences from real
// prologues to their lengths and relocation needs, and refusals of what the tables do not
// know. x86 code cannot run on these machines, so its tables are checked here.
#include "features/intercept/rules/InstructionDecoder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace intercept;

namespace {
struct Expect {
    std::vector<uint8_t> bytes;
    int length;
    Relocation relocation = Relocation::None;
    Flow flow = Flow::Next;
};

Decoded Decode(CpuMode mode, const std::vector<uint8_t>& bytes) {
    return DecodeInstruction(mode, bytes.data(), bytes.size());
}

void ExpectAll(CpuMode mode, std::initializer_list<Expect> cases) {
    for (const Expect& c : cases) {
        const Decoded d = Decode(mode, c.bytes);
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        ASSERT_EQ(d.status, DecodeStatus::Ok);
        EXPECT_EQ(d.instruction.length, c.length);
        EXPECT_EQ(d.instruction.relocation, c.relocation);
        EXPECT_EQ(d.instruction.flow, c.flow);
    }
}

void ExpectRefused(CpuMode mode, std::initializer_list<std::vector<uint8_t>> cases) {
    for (const auto& bytes : cases) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(Decode(mode, bytes).status, DecodeStatus::Unknown);
    }
}
}  // namespace

TEST(InstructionDecoderX86, SystemDllPrologues) {
    ExpectAll(CpuMode::X86, {
        {{0x8B, 0xFF}, 2},                                // mov edi, edi (hot-patch point)
        {{0x55}, 1},                                      // push ebp
        {{0x8B, 0xEC}, 2},                                // mov ebp, esp
        {{0x89, 0xE5}, 2},                                // mov ebp, esp (other direction)
        {{0x83, 0xEC, 0x58}, 3},                          // sub esp, 58h
        {{0x81, 0xEC, 0x00, 0x01, 0x00, 0x00}, 6},        // sub esp, 100h
        {{0x6A, 0x14}, 2},                                // push 14h (SEH prologue)
        {{0x68, 0x10, 0x20, 0x30, 0x40}, 5},              // push offset
        {{0x8D, 0x4C, 0x24, 0x04}, 4},                    // lea ecx, [esp+4] (realigning prologue)
        {{0x83, 0xE4, 0xF0}, 3},                          // and esp, -16
        {{0xFF, 0x71, 0xFC}, 3},                          // push [ecx-4]
        {{0x8B, 0x44, 0x24, 0x04}, 4},                    // mov eax, [esp+4]
        {{0x8B, 0x84, 0x24, 0x00, 0x01, 0x00, 0x00}, 7},  // SIB with disp32
        {{0x8B, 0x04, 0x25, 0x00, 0x10, 0x00, 0x00}, 7},  // SIB, no base: disp32
        {{0x64, 0xA1, 0x00, 0x00, 0x00, 0x00}, 6},        // mov eax, fs:[0]
        {{0xA1, 0x00, 0x10, 0x40, 0x00}, 5},              // mov eax, [moffs32]
        {{0x8B, 0x05, 0x00, 0x10, 0x40, 0x00}, 6},        // mov eax, [abs32]: absolute, moves as it is
        {{0xF6, 0x05, 0x00, 0x10, 0x40, 0x00, 0x08}, 7},  // test byte [abs32], 8
        {{0xC7, 0x45, 0xF8, 1, 2, 3, 4}, 7},              // mov dword [ebp-8], imm32
        {{0x66, 0xC7, 0x45, 0xF8, 1, 2}, 6},              // mov word [ebp-8], imm16
        {{0xB8, 1, 2, 3, 4}, 5},                          // mov eax, imm32
        {{0x66, 0xB8, 1, 2}, 4},                          // mov ax, imm16
        {{0xF7, 0xC1, 1, 2, 3, 4}, 6},                    // test ecx, imm32
        {{0xF7, 0xD8}, 2},                                // neg eax
        {{0x40}, 1},                                      // inc eax
        {{0x60}, 1},                                      // pushad
        {{0xC8, 0x10, 0x00, 0x00}, 4},                    // enter 10h, 0
        {{0x33, 0xC0}, 2},                                // xor eax, eax
        {{0x0F, 0xB6, 0x45, 0x08}, 4},                    // movzx eax, byte [ebp+8]
        {{0xD9, 0x45, 0x08}, 3},                          // fld dword [ebp+8]
        {{0xF3, 0x0F, 0x1E, 0xFB}, 4},                    // endbr32
    });
}

TEST(InstructionDecoderX86, BranchesAndReturns) {
    ExpectAll(CpuMode::X86, {
        {{0xE8, 1, 2, 3, 4}, 5, Relocation::Branch32, Flow::Call},
        {{0xE9, 1, 2, 3, 4}, 5, Relocation::Branch32, Flow::Ends},
        {{0x0F, 0x84, 1, 2, 3, 4}, 6, Relocation::Branch32, Flow::Next},
        {{0xEB, 0x05}, 2, Relocation::Branch8, Flow::Ends},
        {{0x74, 0x05}, 2, Relocation::Branch8, Flow::Next},
        {{0xE3, 0x05}, 2, Relocation::Branch8, Flow::Next},  // jecxz
        {{0xC3}, 1, Relocation::None, Flow::Ends},
        {{0xC2, 0x08, 0x00}, 3, Relocation::None, Flow::Ends},
        {{0xF3, 0xC3}, 2, Relocation::None, Flow::Ends},                   // rep ret
        {{0xFF, 0x25, 0, 0x10, 0x40, 0}, 6, Relocation::None, Flow::Ends},  // jmp [abs32]
        {{0xFF, 0x15, 0, 0x10, 0x40, 0}, 6, Relocation::None, Flow::Call},  // call [abs32]
        {{0xFF, 0xD0}, 2, Relocation::None, Flow::Call},                    // call eax
    });
    const Decoded call = Decode(CpuMode::X86, {0xE8, 1, 2, 3, 4});
    EXPECT_EQ(call.instruction.displacementOffset, 1);
    const Decoded jcc = Decode(CpuMode::X86, {0x0F, 0x85, 1, 2, 3, 4});
    EXPECT_EQ(jcc.instruction.displacementOffset, 2);
}

TEST(InstructionDecoderX86, RefusesWhatTheTablesDoNotKnow) {
    ExpectRefused(CpuMode::X86, {
        {0xCC},                    // int3: a debugger's breakpoint, not code to move
        {0xCD, 0x03},              // int n
        {0x0F, 0x0B},              // ud2
        {0x0F, 0x38, 0x00, 0xC1},  // three-byte map
        {0x0F, 0x3A, 0x0F, 0xC1, 0x08},
        {0x9A, 1, 2, 3, 4, 5, 6},  // far call
        {0xEA, 1, 2, 3, 4, 5, 6},  // far jmp
        {0xFF, 0x1D, 1, 2, 3, 4},  // call far [mem]
        {0xFF, 0x2D, 1, 2, 3, 4},  // jmp far [mem]
        {0xFE, 0x10},              // undefined group member
        {0xC6, 0xF8, 0x00},        // xabort
        {0x66, 0xE8, 1, 2},        // 16-bit call would truncate the return address
        {0x67, 0x8B, 0x00},        // 16-bit addressing
        {0x8D, 0xC0},              // lea without memory
        {0xC5, 0xF8, 0x77},        // lds / VEX
        {0x06},                    // push es
        {0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0x90},
        {0xE4, 0x60},  // in
    });
}

TEST(InstructionDecoderX86, TruncatedBytesAreNotGuessed) {
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{0x68, 0, 0}, {0x0F}, {0x8B}, {0x8B, 0x44},
                                              {0x66}, {0xE8, 1, 2, 3}, {0x81, 0xEC, 0, 1}}) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(Decode(CpuMode::X86, bytes).status, DecodeStatus::Truncated);
    }
    EXPECT_EQ(DecodeInstruction(CpuMode::X86, nullptr, 0).status, DecodeStatus::Truncated);
}

TEST(InstructionDecoderX64, SystemDllPrologues) {
    ExpectAll(CpuMode::X64, {
        {{0x41, 0x56}, 2},                                      // push r14
        {{0x55}, 1},                                            // push rbp
        {{0x40, 0x55}, 2},                                      // push rbp with an empty REX
        {{0x48, 0x83, 0xEC, 0x28}, 4},                          // sub rsp, 28h
        {{0x48, 0x81, 0xEC, 0x60, 0x01, 0x00, 0x00}, 7},        // sub rsp, 160h
        {{0x48, 0x89, 0xE5}, 3},                                // mov rbp, rsp
        {{0x48, 0x89, 0x5C, 0x24, 0x08}, 5},                    // mov [rsp+8], rbx
        {{0x4C, 0x89, 0x44, 0x24, 0x18}, 5},                    // mov [rsp+18h], r8
        {{0x48, 0x8B, 0x04, 0x25, 0, 0x10, 0, 0}, 8},           // SIB absolute: not RIP-relative
        {{0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7, 8}, 10},             // mov rax, imm64
        {{0x48, 0xC7, 0xC0, 1, 2, 3, 4}, 7},                    // mov rax, simm32
        {{0x48, 0xF7, 0xC1, 1, 2, 3, 4}, 7},                    // test rcx, simm32 (REX.W keeps imm32)
        {{0x66, 0x48, 0xC7, 0xC0, 1, 2, 3, 4}, 8},              // REX.W wins over 66
        {{0xA1, 1, 2, 3, 4, 5, 6, 7, 8}, 9},                    // mov eax, [moffs64]
        {{0xF3, 0x0F, 0x1E, 0xFA}, 4},                          // endbr64
        {{0x66, 0x90}, 2},                                      // two-byte nop (hot-patch pad)
        {{0x0F, 0x1F, 0x44, 0x00, 0x00}, 5},                    // nop dword [rax+rax]
        {{0x66, 0x0F, 0x1F, 0x84, 0, 0, 0, 0, 0}, 9},           // nop word [rax+rax+0]
        {{0x0F, 0x29, 0x74, 0x24, 0x20}, 5},                    // movaps [rsp+20h], xmm6
        {{0x66, 0x0F, 0x7F, 0x44, 0x24, 0x10}, 6},              // movdqa [rsp+10h], xmm0
        {{0x44, 0x0F, 0x29, 0x44, 0x24, 0x30}, 6},              // movaps [rsp+30h], xmm8
        {{0x41, 0xFF, 0xD3}, 3, Relocation::None, Flow::Call},  // call r11
        {{0x48, 0x63, 0xC1}, 3},                                // movsxd rax, ecx
        {{0x45, 0x31, 0xC0}, 3},                                // xor r8d, r8d
    });
}

TEST(InstructionDecoderX64, RipRelativeOperandsAreMarked) {
    ExpectAll(CpuMode::X64, {
        {{0x48, 0x8D, 0x2D, 1, 2, 3, 4}, 7, Relocation::RipRelative},        // lea rbp, [rip+x]
        {{0x4C, 0x8D, 0x25, 1, 2, 3, 4}, 7, Relocation::RipRelative},        // lea r12, [rip+x]
        {{0x8B, 0x05, 1, 2, 3, 4}, 6, Relocation::RipRelative},              // mov eax, [rip+x]
        {{0xF6, 0x05, 1, 2, 3, 4, 0x08}, 7, Relocation::RipRelative},        // test byte [rip+x], 8
        {{0xC7, 0x05, 1, 2, 3, 4, 5, 6, 7, 8}, 10, Relocation::RipRelative},  // mov dword [rip+x], imm32
        {{0xFF, 0x15, 1, 2, 3, 4}, 6, Relocation::RipRelative, Flow::Call},  // call [rip+x]
        {{0xFF, 0x25, 1, 2, 3, 4}, 6, Relocation::RipRelative, Flow::Ends},  // jmp [rip+x]
        {{0x48, 0xFF, 0x25, 1, 2, 3, 4}, 7, Relocation::RipRelative, Flow::Ends},
        {{0xE8, 1, 2, 3, 4}, 5, Relocation::Branch32, Flow::Call},
    });
    EXPECT_EQ(Decode(CpuMode::X64, {0x48, 0x8D, 0x2D, 1, 2, 3, 4}).instruction.displacementOffset, 3);
    // The displacement is followed by the immediate; the offset still points at the displacement.
    EXPECT_EQ(Decode(CpuMode::X64, {0xF6, 0x05, 1, 2, 3, 4, 0x08}).instruction.displacementOffset, 2);
}

TEST(InstructionDecoderX64, RefusesWhatTheTablesDoNotKnow) {
    ExpectRefused(CpuMode::X64, {
        {0x60},                    // pushad does not exist in 64-bit mode
        {0x40, 0x40, 0x90},        // two REX prefixes
        {0x48, 0x66, 0x90},        // a prefix after REX
        {0xC5, 0xF8, 0x77},        // VEX vzeroupper
        {0xC4, 0xE2, 0x79, 0x18},  // VEX three-byte
        {0x62, 0xF1, 0x7C, 0x48},  // EVEX
        {0x0F, 0x05},              // syscall
        {0x06},                    // push es
        {0x0F, 0x38, 0x00, 0xC1},
        {0x67, 0x8B, 0x05, 1, 2, 3, 4},  // EIP-relative: address-size override
    });
}

TEST(InstructionDecoderX64, TruncatedBytesAreNotGuessed) {
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{0x48}, {0x48, 0x8D, 0x2D, 1, 2}, {0x41},
                                              {0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7}}) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(Decode(CpuMode::X64, bytes).status, DecodeStatus::Truncated);
    }
}

TEST(InstructionDecoder, ArbitraryBytesNeverReadPastTheirEnd) {
    // Every one- and two-byte start, padded, and then cut at every length: an accepted
    // instruction fits both the bytes given and the architectural limit of 15. The
    // sanitizers of this build catch any read beyond `available`.
    for (CpuMode mode : {CpuMode::X86, CpuMode::X64}) {
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const uint8_t full[16] = {static_cast<uint8_t>(first), static_cast<uint8_t>(second), 0x24, 0x80, 0x10,
                                          0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0};
                for (size_t available : {size_t{1}, size_t{2}, size_t{7}, size_t{16}}) {
                    std::vector<uint8_t> bytes(full, full + available);  // exact-size heap block
                    const Decoded d = DecodeInstruction(mode, bytes.data(), bytes.size());
                    if (d.status != DecodeStatus::Ok) continue;
                    ASSERT_LE(d.instruction.length, available);
                    ASSERT_LE(d.instruction.length, 15);
                    ASSERT_GE(d.instruction.length, 1);
                    if (d.instruction.relocation != Relocation::None) {
                        ASSERT_LE(d.instruction.displacementOffset + (d.instruction.relocation == Relocation::Branch8 ? 1 : 4),
                                  d.instruction.length);
                    }
                }
            }
        }
    }
}
