// The command line: any arguments classify into one start mode, and a game process's host
// arguments never come from anything but digits.
#include "FuzzInput.h"
#include "app/rules/StartMode.h"

#include <cwctype>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring exePath = in.Text();
    const std::wstring installFolder = in.Text();
    const std::vector<std::wstring> args = in.Texts(8);
    const UpperCaser upper = [](const std::wstring& text) {
        std::wstring result = text;
        for (wchar_t& c : result) c = static_cast<wchar_t>(std::towupper(c));
        return result;
    };
    const StartMode mode = ClassifyStartMode(args, exePath, installFolder, upper);
    FUZZ_CHECK(static_cast<int>(mode) >= 0 && static_cast<int>(mode) <= 7);
    for (int m = 0; m <= 7; ++m) {
        const HostArguments host = ParseHostArguments(static_cast<StartMode>(m), args);
        if (m != static_cast<int>(StartMode::NewGameTab) && m != static_cast<int>(StartMode::GameHall)) {
            FUZZ_CHECK(host.hostWindow == 0 && host.tabNumber == 0);
        }
    }
    return 0;
}
