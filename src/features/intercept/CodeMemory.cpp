#include "features/intercept/CodeMemory.h"

#include "features/intercept/HostMode.h"
#include "features/intercept/rules/TrampolinePlan.h"

#include <cstring>

namespace intercept {
namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kExecutable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

bool Query(const void* address, MEMORY_BASIC_INFORMATION& mbi) noexcept {
    return ::VirtualQuery(address, &mbi, sizeof(mbi)) == sizeof(mbi) && mbi.State == MEM_COMMIT &&
           !(mbi.Protect & (PAGE_GUARD | PAGE_NOACCESS));
}

}  // namespace

bool IsExecutable(const void* address) noexcept {
    MEMORY_BASIC_INFORMATION mbi;
    return Query(address, mbi) && (mbi.Protect & kExecutable) && (mbi.Protect & kReadable);
}

size_t ReadCode(const void* address, uint8_t* out, size_t size) noexcept {
    auto at = reinterpret_cast<uintptr_t>(address);
    size_t copied = 0;
    while (copied < size) {
        MEMORY_BASIC_INFORMATION mbi;
        if (!Query(reinterpret_cast<const void*>(at), mbi) || !(mbi.Protect & kReadable)) break;
        const uintptr_t end = reinterpret_cast<uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
        const size_t chunk = end - at < size - copied ? static_cast<size_t>(end - at) : size - copied;
        std::memcpy(out + copied, reinterpret_cast<const void*>(at), chunk);
        copied += chunk;
        at += chunk;
    }
    return copied;
}

void* SkipImportThunks(void* code) noexcept {
    // A few levels at most: a thunk leading to a thunk is rare, a cycle would be a bug.
    for (int level = 0; level < 4 && code; ++level) {
        uint8_t bytes[8];
        const size_t n = ReadCode(code, bytes, sizeof(bytes));
        const uint64_t slot = ThunkPointerAddress(kHostMode, bytes, n, reinterpret_cast<uintptr_t>(code));
        if (slot == 0) break;
        void* next = nullptr;
        if (ReadCode(reinterpret_cast<const void*>(static_cast<uintptr_t>(slot)), reinterpret_cast<uint8_t*>(&next),
                     sizeof(next)) != sizeof(next) ||
            !next) {
            break;
        }
        code = next;
    }
    return code;
}

}  // namespace intercept
