#include "features/intercept/TrampolinePool.h"

#include "features/intercept/CodeMemory.h"

#include <windows.h>

#include <algorithm>

namespace intercept {
namespace {

// One allocation granule (64 KB) of slots, headed by this record. The regions form a list
// that only grows; it is changed only by the thread that owns the transaction.
struct Region {
    uint32_t slotCount;
    Region* next;
};
constexpr uintptr_t kFirstSlotOffset = (sizeof(Region) + 15) / 16 * 16;
// How far from a target its region may lie: well inside rel32's ±2 GB, leaving room for
// the data that moved RIP-relative instructions address near the target.
constexpr uintptr_t kReach = 0x70000000;

Region* g_firstRegion = nullptr;

uintptr_t AlignDown(uintptr_t v, uintptr_t a) { return v - v % a; }

TrampolineSlot* SlotAt(Region* region, uint32_t index) {
    return reinterpret_cast<TrampolineSlot*>(reinterpret_cast<uint8_t*>(region) + kFirstSlotOffset +
                                             index * sizeof(TrampolineSlot));
}
uintptr_t AlignUp(uintptr_t v, uintptr_t a) { return AlignDown(v + a - 1, a); }

bool InReach(const Region* region, const void* target) {
    if (sizeof(void*) == 4) return true;
    const auto r = reinterpret_cast<uintptr_t>(region);
    const auto t = reinterpret_cast<uintptr_t>(target);
    return (r > t ? r - t : t - r) < kReach;
}

void* TryAllocate(uintptr_t at, uintptr_t size) {
    return ::VirtualAlloc(reinterpret_cast<void*>(at), size, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE);
}

// Looks for a free granule within kReach of the target, nearest below it first (where
// the system places most free space relative to images), then above it.
void* AllocateNear(const void* target, uintptr_t granule) {
    if (sizeof(void*) == 4) return TryAllocate(0, granule);
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    const auto t = reinterpret_cast<uintptr_t>(target);
    const uintptr_t lowest =
        std::max<uintptr_t>(t > kReach ? t - kReach : 0, reinterpret_cast<uintptr_t>(si.lpMinimumApplicationAddress));
    const uintptr_t highest = std::min<uintptr_t>(t + kReach, reinterpret_cast<uintptr_t>(si.lpMaximumApplicationAddress));

    for (uintptr_t p = AlignDown(t, granule); p >= lowest && p >= granule;) {
        MEMORY_BASIC_INFORMATION mbi;
        if (::VirtualQuery(reinterpret_cast<void*>(p), &mbi, sizeof(mbi)) != sizeof(mbi)) break;
        const auto base = reinterpret_cast<uintptr_t>(mbi.BaseAddress);
        if (mbi.State == MEM_FREE && base + mbi.RegionSize >= granule) {
            const uintptr_t candidate = AlignDown(std::min<uintptr_t>(p, base + mbi.RegionSize - granule), granule);
            if (candidate >= AlignUp(base, granule) && candidate >= lowest) {
                if (void* got = TryAllocate(candidate, granule)) return got;
            }
        }
        uintptr_t below = base;
        if (mbi.State != MEM_FREE && mbi.AllocationBase) below = std::min(below, reinterpret_cast<uintptr_t>(mbi.AllocationBase));
        if (below < granule) break;
        p = AlignDown(below - 1, granule);
    }
    for (uintptr_t p = AlignUp(t, granule); p + granule <= highest;) {
        MEMORY_BASIC_INFORMATION mbi;
        if (::VirtualQuery(reinterpret_cast<void*>(p), &mbi, sizeof(mbi)) != sizeof(mbi)) break;
        const auto base = reinterpret_cast<uintptr_t>(mbi.BaseAddress);
        const uintptr_t end = base + mbi.RegionSize;
        if (mbi.State == MEM_FREE) {
            const uintptr_t candidate = AlignUp(std::max<uintptr_t>(p, base), granule);
            if (candidate + granule <= end && candidate + granule <= highest) {
                if (void* got = TryAllocate(candidate, granule)) return got;
            }
        }
        if (end <= p) break;
        p = AlignUp(end, granule);
    }
    return nullptr;
}

Region* NewRegion(const void* target) {
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    const uintptr_t granule = si.dwAllocationGranularity;
    auto* region = static_cast<Region*>(AllocateNear(target, granule));
    if (!region) return nullptr;
    // Freshly committed memory is zero: every slot starts Free.
    region->slotCount = static_cast<uint32_t>((granule - kFirstSlotOffset) / sizeof(TrampolineSlot));
    region->next = g_firstRegion;
    DWORD old = 0;
    ::VirtualProtect(region, granule, PAGE_EXECUTE_READ, &old);
    g_firstRegion = region;
    return region;
}

void SetState(TrampolineSlot* slot, SlotState state) {
    WritableCode writable(slot, sizeof(*slot));
    if (writable.Ok()) slot->state = state;
}

}  // namespace

TrampolineSlot* ReserveSlot(const void* target) noexcept {
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (Region* region = g_firstRegion; region; region = region->next) {
            if (!InReach(region, target)) continue;
            for (uint32_t i = 0; i < region->slotCount; ++i) {
                TrampolineSlot* slot = SlotAt(region, i);
                if (slot->state != SlotState::Free) continue;
                SetState(slot, SlotState::Reserved);
                return slot->state == SlotState::Reserved ? slot : nullptr;
            }
        }
        if (!NewRegion(target)) return nullptr;
    }
    return nullptr;
}

void ReleaseSlot(TrampolineSlot* slot) noexcept {
    if (slot && slot->state == SlotState::Reserved) SetState(slot, SlotState::Free);
}

TrampolineSlot* FindSlotByCode(const void* code) noexcept {
    const auto address = reinterpret_cast<uintptr_t>(code);
    for (Region* region = g_firstRegion; region; region = region->next) {
        const auto first = reinterpret_cast<uintptr_t>(SlotAt(region, 0));
        const uintptr_t end = first + region->slotCount * sizeof(TrampolineSlot);
        if (address < first || address >= end) continue;
        if ((address - first) % sizeof(TrampolineSlot) != 0) return nullptr;
        return SlotAt(region, static_cast<uint32_t>((address - first) / sizeof(TrampolineSlot)));
    }
    return nullptr;
}

}  // namespace intercept
