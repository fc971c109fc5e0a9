// Writes lines into the support log beside itself, as a launcher process does:
//   log_writer COUNT TAG [BYTES]   COUNT events "TAG <n>" padded to about BYTES characters.
#include "base/Log.h"

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const long count = std::wcstol(argv[1], nullptr, 10);
    const std::wstring tag = argv[2];
    const long bytes = argc > 3 ? std::wcstol(argv[3], nullptr, 10) : 0;
    SetLogStartMode(tag);
    for (long i = 0; i < count; ++i) {
        std::wstring event = tag + L" " + std::to_wstring(i);
        if (static_cast<long>(event.size()) < bytes) event.append(static_cast<size_t>(bytes) - event.size(), L'.');
        Log(event);
    }
    return 0;
}
