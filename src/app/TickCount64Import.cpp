// Windows XP's KERNEL32 has no GetTickCount64, yet the threads runtime linked statically into
// the program imports it, and the loader refuses to start a program with an import it cannot
// resolve. The program therefore fills that import slot itself: with the system's function
// where the system has one, else with the 32-bit count carried past its wrap. This file is
// linked as an object of the executable, not through a library, so the linker meets this
// slot before it searches KERNEL32's import library.
#include "app/rules/TickCount.h"

#include <windows.h>

namespace {
using TickCount64Function = ULONGLONG(WINAPI*)();

std::uint64_t g_lastTickCount = 0;  // only through __atomic built-ins

ULONGLONG ExtendedTickCount() {
    std::uint64_t last = __atomic_load_n(&g_lastTickCount, __ATOMIC_ACQUIRE);
    for (;;) {
        const std::uint64_t next = ExtendTickCount(last, ::GetTickCount());
        if (__atomic_compare_exchange_n(&g_lastTickCount, &last, next, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) {
            return next;
        }
    }
}

ULONGLONG WINAPI TickCount64() {
    // Looked up on every first use by each racing thread alike: all find the same answer.
    static TickCount64Function system = nullptr;
    static bool looked = false;
    if (!__atomic_load_n(&looked, __ATOMIC_ACQUIRE)) {
        HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        const auto found =
            reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(::GetProcAddress(kernel, "GetTickCount64")));
        __atomic_store_n(&system, found, __ATOMIC_RELEASE);
        __atomic_store_n(&looked, true, __ATOMIC_RELEASE);
    }
    const TickCount64Function function = __atomic_load_n(&system, __ATOMIC_ACQUIRE);
    return function ? function() : ExtendedTickCount();
}
}  // namespace

// The import slot itself, under the name the linker gives KERNEL32's.
#ifdef _WIN64
extern "C" TickCount64Function qh_imp_GetTickCount64 __asm__("__imp_GetTickCount64");
#else
extern "C" TickCount64Function qh_imp_GetTickCount64 __asm__("__imp__GetTickCount64@0");
#endif
TickCount64Function qh_imp_GetTickCount64 = &TickCount64;
