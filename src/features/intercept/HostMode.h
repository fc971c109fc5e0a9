// The instruction set this build runs: x86 for the shipped program, x86-64 for the tests.
#pragma once
#include "features/intercept/rules/InstructionDecoder.h"

namespace intercept {
#ifdef _WIN64
constexpr CpuMode kHostMode = CpuMode::X64;
#else
constexpr CpuMode kHostMode = CpuMode::X86;
#endif
}  // namespace intercept
