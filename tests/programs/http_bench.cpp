// Times one HttpGetToFile of the address given into a scratch file in the temporary folder
// and prints "bytes=N seconds=S bytes_per_second=R" (for scripts/bench). Exit code 1 when
// the download failed.
#include "update/HttpFetch.h"

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: http_bench URL\n");
        return 2;
    }
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"qh_http_bench.bin";

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    const bool ok = HttpGetToFile(argv[1], file.c_str());
    ::QueryPerformanceCounter(&end);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
    ::DeleteFileW(file.c_str());
    const unsigned long long bytes = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("bytes=%llu seconds=%.3f bytes_per_second=%.0f\n", bytes, seconds,
                seconds > 0 ? static_cast<double>(bytes) / seconds : 0.0);
    return ok ? 0 : 1;
}
