// Times FileMd5Hex of the file given and prints "digest=HEX seconds=S" (for scripts/bench).
// Exit code 1 when the file could not be hashed.
#include "update/FileDigest.h"

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: md5_bench FILE\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    const std::wstring digest = FileMd5Hex(argv[1]);
    ::QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("digest=%ls seconds=%.4f\n", digest.c_str(), seconds);
    return digest.empty() ? 1 : 0;
}
