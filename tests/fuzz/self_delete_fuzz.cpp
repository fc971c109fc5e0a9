// The self-delete batch written for paths of any shape.
#include "FuzzInput.h"
#include "app/rules/SelfDeleteScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::string exePath = in.Bytes();
    const std::string batchPath = in.Bytes();
    const bool longForm = in.Flag();
    const int rounds = in.Int() % 1000;
    if (const auto script = SelfDeleteScript(exePath, batchPath, longForm, rounds)) {
        FUZZ_CHECK(script->size() <= 2048);
        FUZZ_CHECK(rounds >= 1);
    }
    return 0;
}
