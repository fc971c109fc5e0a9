// The instruction-length decoder on random bytes, in both processor modes.
#include "FuzzInput.h"
#include "features/intercept/rules/InstructionDecoder.h"

using namespace intercept;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (CpuMode mode : {CpuMode::X86, CpuMode::X64}) {
        const Decoded decoded = DecodeInstruction(mode, data, size);
        if (decoded.status != DecodeStatus::Ok) continue;
        const Instruction& ins = decoded.instruction;
        FUZZ_CHECK(ins.length >= 1 && ins.length <= 15 && ins.length <= size);
        if (ins.relocation != Relocation::None) FUZZ_CHECK(ins.displacementOffset < ins.length);
    }
    return 0;
}
