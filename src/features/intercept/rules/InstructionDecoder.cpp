#include "features/intercept/rules/InstructionDecoder.h"

#include <array>

namespace intercept {
namespace {

// Operand description of one opcode. Zero means "not in the table": refused.
enum : uint16_t {
    kKnown = 1 << 0,
    kModRm = 1 << 1,
    kImm8 = 1 << 2,
    kImm16 = 1 << 3,
    kImmZ = 1 << 4,      // 16 or 32 bits by operand size (32 also under REX.W)
    kImmV = 1 << 5,      // 16, 32 or 64 bits by operand size (mov reg, imm only)
    kRel8 = 1 << 6,
    kRel32 = 1 << 7,
    kMoffs = 1 << 8,     // absolute address of the address size (mov al/eax <-> [moffs])
    kEnds = 1 << 9,      // ret, jmp
    kCall = 1 << 10,
    kGroup = 1 << 11,    // the ModRM reg field selects the operation: checked in GroupAllows
    kX86Only = 1 << 12,  // invalid, or a REX prefix, in 64-bit mode
};

using Table = std::array<uint16_t, 256>;

constexpr void Set(Table& t, int from, int to, uint16_t flags) {
    for (int op = from; op <= to; ++op) t[op] = static_cast<uint16_t>(flags | kKnown);
}

constexpr Table MakeOneByteTable() {
    Table t{};
    // ALU ops in their eight rows: r/m,reg / reg,r/m forms, then AL,imm8 and eAX,imm.
    for (int row = 0x00; row <= 0x38; row += 0x08) {
        Set(t, row, row + 3, kModRm);
        Set(t, row + 4, row + 4, kImm8);
        Set(t, row + 5, row + 5, kImmZ);
    }
    Set(t, 0x40, 0x4F, kX86Only);  // inc/dec reg (REX in 64-bit mode, handled as a prefix)
    Set(t, 0x50, 0x5F, 0);         // push/pop reg
    Set(t, 0x60, 0x61, kX86Only);  // pusha/popa
    Set(t, 0x63, 0x63, kModRm);    // movsxd (x64); arpl (x86) has the same shape
    Set(t, 0x68, 0x68, kImmZ);     // push imm
    Set(t, 0x69, 0x69, kModRm | kImmZ);
    Set(t, 0x6A, 0x6A, kImm8);
    Set(t, 0x6B, 0x6B, kModRm | kImm8);
    Set(t, 0x70, 0x7F, kRel8);  // jcc short
    Set(t, 0x80, 0x80, kModRm | kImm8);
    Set(t, 0x81, 0x81, kModRm | kImmZ);
    Set(t, 0x83, 0x83, kModRm | kImm8);
    Set(t, 0x84, 0x8D, kModRm);           // test, xchg, mov, mov r/m<->seg, lea
    Set(t, 0x8F, 0x8F, kModRm | kGroup);  // pop r/m
    Set(t, 0x90, 0x99, 0);                // nop, xchg eAX, cbw/cwd
    Set(t, 0x9B, 0x9F, 0);                // wait, pushf, popf, sahf, lahf
    Set(t, 0xA0, 0xA3, kMoffs);
    Set(t, 0xA4, 0xA7, 0);  // movs, cmps
    Set(t, 0xA8, 0xA8, kImm8);
    Set(t, 0xA9, 0xA9, kImmZ);
    Set(t, 0xAA, 0xAF, 0);  // stos, lods, scas
    Set(t, 0xB0, 0xB7, kImm8);
    Set(t, 0xB8, 0xBF, kImmV);
    Set(t, 0xC0, 0xC1, kModRm | kImm8);
    Set(t, 0xC2, 0xC2, kImm16 | kEnds);  // ret imm16
    Set(t, 0xC3, 0xC3, kEnds);
    Set(t, 0xC6, 0xC6, kModRm | kImm8 | kGroup);
    Set(t, 0xC7, 0xC7, kModRm | kImmZ | kGroup);
    Set(t, 0xC8, 0xC8, kImm16 | kImm8);  // enter
    Set(t, 0xC9, 0xC9, 0);               // leave
    Set(t, 0xD0, 0xD3, kModRm);          // shifts
    Set(t, 0xD8, 0xDF, kModRm);          // x87
    Set(t, 0xE0, 0xE3, kRel8);           // loop, loopcc, jcxz
    Set(t, 0xE8, 0xE8, kRel32 | kCall);
    Set(t, 0xE9, 0xE9, kRel32 | kEnds);
    Set(t, 0xEB, 0xEB, kRel8 | kEnds);
    Set(t, 0xF5, 0xF5, 0);  // cmc
    Set(t, 0xF6, 0xF7, kModRm | kGroup);
    Set(t, 0xF8, 0xFD, 0);  // clc, stc, cli, sti, cld, std
    Set(t, 0xFE, 0xFF, kModRm | kGroup);
    return t;
}

constexpr Table MakeTwoByteTable() {
    Table t{};
    Set(t, 0x0D, 0x0D, kModRm);         // prefetchw
    Set(t, 0x10, 0x17, kModRm);         // movups/movss/movupd/movsd, movlps, unpck, movhps
    Set(t, 0x18, 0x1F, kModRm);         // prefetch, hint nops, endbr32/64 (F3 0F 1E FB/FA)
    Set(t, 0x28, 0x2F, kModRm);         // movaps, cvt*, ucomis/comis
    Set(t, 0x40, 0x4F, kModRm);         // cmovcc
    Set(t, 0x50, 0x6F, kModRm);         // SSE arithmetic, logic, unpack, movd/movq/movdqa
    Set(t, 0x70, 0x70, kModRm | kImm8);  // pshufd and relatives
    Set(t, 0x71, 0x73, kModRm | kImm8 | kGroup);
    Set(t, 0x74, 0x76, kModRm);  // pcmpeq
    Set(t, 0x7C, 0x7F, kModRm);  // hadd/hsub, movd/movq, movdqa/movdqu stores
    Set(t, 0x80, 0x8F, kRel32);  // jcc near
    Set(t, 0x90, 0x9F, kModRm);  // setcc
    Set(t, 0xA2, 0xA2, 0);       // cpuid
    Set(t, 0xA3, 0xA3, kModRm);  // bt
    Set(t, 0xA4, 0xA4, kModRm | kImm8);
    Set(t, 0xA5, 0xA5, kModRm);
    Set(t, 0xAB, 0xAB, kModRm);
    Set(t, 0xAC, 0xAC, kModRm | kImm8);
    Set(t, 0xAD, 0xAD, kModRm);
    Set(t, 0xAE, 0xAE, kModRm);  // fxsave, ldmxcsr, stmxcsr, fences
    Set(t, 0xAF, 0xAF, kModRm);  // imul
    Set(t, 0xB0, 0xB1, kModRm);  // cmpxchg
    Set(t, 0xB3, 0xB3, kModRm);
    Set(t, 0xB6, 0xB7, kModRm);  // movzx
    Set(t, 0xBA, 0xBA, kModRm | kImm8 | kGroup);
    Set(t, 0xBB, 0xBF, kModRm);  // btc, bsf, bsr, movsx
    Set(t, 0xC0, 0xC1, kModRm);  // xadd
    Set(t, 0xC2, 0xC2, kModRm | kImm8);
    Set(t, 0xC3, 0xC3, kModRm);  // movnti
    Set(t, 0xC4, 0xC6, kModRm | kImm8);
    Set(t, 0xC8, 0xCF, 0);       // bswap
    Set(t, 0xD0, 0xFE, kModRm);  // SSE2 integer ops
    return t;
}

constexpr Table kOneByte = MakeOneByteTable();
constexpr Table kTwoByte = MakeTwoByteTable();

bool IsLegacyPrefix(uint8_t b) {
    switch (b) {
        case 0x26: case 0x2E: case 0x36: case 0x3E: case 0x64: case 0x65:  // segments
        case 0x66:                                                          // operand size
        case 0xF0: case 0xF2: case 0xF3:                                    // lock, rep
            return true;
        default:
            return false;
    }
}

// The operations of a group opcode that the tables accept, by ModRM reg field.
bool GroupAllows(bool twoByte, uint8_t opcode, uint8_t reg, uint8_t mod) {
    if (twoByte) {
        if (opcode >= 0x71 && opcode <= 0x73) return mod == 3 && (reg == 2 || reg == 4 || reg == 6 ||
                                                                  (opcode == 0x73 && (reg == 3 || reg == 7)));
        if (opcode == 0xBA) return reg >= 4;  // bt, bts, btr, btc with imm8
        return false;
    }
    switch (opcode) {
        case 0x8F:  // pop r/m
        case 0xC6:  // mov r/m8, imm8 (reg 7 is xabort)
        case 0xC7:  // mov r/m, imm  (reg 7 is xbegin)
            return reg == 0;
        case 0xF6:
        case 0xF7:
            return reg != 1;  // test, not, neg, mul, imul, div, idiv
        case 0xFE:
            return reg <= 1;  // inc, dec
        case 0xFF:
            return reg != 3 && reg != 5 && reg != 7;  // no far call or jmp
        default:
            return false;
    }
}

}  // namespace

Decoded DecodeInstruction(CpuMode mode, const uint8_t* code, size_t available) {
    Decoded out;
    const bool x64 = mode == CpuMode::X64;
    size_t pos = 0;
    bool operand16 = false;
    bool rexW = false;
    auto truncated = [&] {
        out.status = DecodeStatus::Truncated;
        return out;
    };
    auto unknown = [&] {
        out.status = DecodeStatus::Unknown;
        return out;
    };

    // Legacy prefixes, then at most one REX immediately before the opcode.
    for (;; ++pos) {
        if (pos >= available) return truncated();
        const uint8_t b = code[pos];
        if (b == 0x67) return unknown();  // address-size override: other ModRM forms, not needed
        if (!IsLegacyPrefix(b)) break;
        if (pos >= 4) return unknown();  // more prefixes than compilers emit
        if (b == 0x66) operand16 = true;
    }
    if (x64 && (code[pos] & 0xF0) == 0x40) {
        rexW = (code[pos] & 0x08) != 0;
        ++pos;
        if (pos >= available) return truncated();
        if (IsLegacyPrefix(code[pos]) || code[pos] == 0x67 || (code[pos] & 0xF0) == 0x40) return unknown();
    }

    bool twoByte = false;
    uint8_t opcode = code[pos++];
    if (opcode == 0x0F) {
        if (pos >= available) return truncated();
        twoByte = true;
        opcode = code[pos++];
    }
    const uint16_t flags = twoByte ? kTwoByte[opcode] : kOneByte[opcode];
    if (!(flags & kKnown)) return unknown();
    if (x64 && (flags & kX86Only)) return unknown();

    Instruction& insn = out.instruction;
    insn.flow = (flags & kEnds) ? Flow::Ends : (flags & kCall) ? Flow::Call : Flow::Next;

    size_t immediate = 0;
    if (flags & kModRm) {
        if (pos >= available) return truncated();
        const uint8_t modrm = code[pos++];
        const uint8_t mod = modrm >> 6;
        const uint8_t reg = (modrm >> 3) & 7;
        const uint8_t rm = modrm & 7;
        if ((flags & kGroup) && !GroupAllows(twoByte, opcode, reg, mod)) return unknown();
        if (!twoByte && opcode == 0xFF) {
            if (reg == 2) insn.flow = Flow::Call;
            if (reg == 4) insn.flow = Flow::Ends;
        }
        if (!twoByte && opcode == 0x8D && mod == 3) return unknown();  // lea needs memory
        if (!twoByte && (opcode == 0xF6 || opcode == 0xF7) && reg == 0) {
            immediate += opcode == 0xF6 ? 1 : (operand16 && !rexW ? 2 : 4);
        }
        size_t displacement = 0;
        if (mod != 3) {
            if (rm == 4) {
                if (pos >= available) return truncated();
                const uint8_t sib = code[pos++];
                if (mod == 0 && (sib & 7) == 5) displacement = 4;
            } else if (mod == 0 && rm == 5) {
                displacement = 4;
                if (x64) {
                    insn.relocation = Relocation::RipRelative;
                    insn.displacementOffset = static_cast<uint8_t>(pos);
                }
            }
            if (mod == 1) displacement = 1;
            if (mod == 2) displacement = 4;
        }
        pos += displacement;
    }

    if (flags & kImm8) immediate += 1;
    if (flags & kImm16) immediate += 2;
    if (flags & kImmZ) immediate += operand16 && !rexW ? 2 : 4;
    if (flags & kImmV) immediate += rexW ? 8 : operand16 ? 2 : 4;
    if (flags & kMoffs) immediate += x64 ? 8 : 4;
    if (flags & (kRel8 | kRel32)) {
        // A 66 prefix would make the branch 16-bit and cut the target address: not supported.
        if (operand16) return unknown();
        insn.relocation = (flags & kRel8) ? Relocation::Branch8 : Relocation::Branch32;
        insn.displacementOffset = static_cast<uint8_t>(pos);
        immediate += (flags & kRel8) ? 1 : 4;
    }
    pos += immediate;

    if (pos > 15) return unknown();
    if (pos > available) return truncated();
    insn.length = static_cast<uint8_t>(pos);
    out.status = DecodeStatus::Ok;
    return out;
}

}  // namespace intercept
