// Helper for the crash-dump tests: installs the launcher's filter and crashes.
//   crasher crash   one access violation
//   crasher twice   a first crash handled by the filter, then a real one
#include "app/CrashDump.h"

#include <string>

namespace {
void CrashNow() {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    InstallCrashDumpFilter();
    const std::wstring mode = argc > 1 ? argv[1] : L"crash";
    if (mode == L"twice") {
        // The first "crash" goes through the filter directly, as the system would call it.
        EXCEPTION_RECORD record{};
        record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
        CONTEXT context{};
        ::RtlCaptureContext(&context);
        EXCEPTION_POINTERS pointers{&record, &context};
        if (CrashDumpFilter(&pointers) != EXCEPTION_CONTINUE_SEARCH) return 3;
        // Move the first dump aside so the test can see whether a second one appears.
        wchar_t exe[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring base = exe;
        base = base.substr(0, base.find_last_of(L'.'));
        if (!::MoveFileW((base + L".dmp").c_str(), (base + L".first").c_str())) return 4;
    }
    CrashNow();
    return 0;
}
