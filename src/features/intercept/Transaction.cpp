// The transaction: attaches and detaches are checked and prepared when they are named
// (decoding, trampoline, patch bytes), and written together at the commit while every other
// thread of the process is suspended.
#include "features/intercept/CodeMemory.h"
#include "features/intercept/Interception.h"
#include "features/intercept/HostMode.h"
#include "features/intercept/ThreadFreeze.h"
#include "features/intercept/TrampolinePool.h"

#include <cstring>

using namespace intercept;

namespace {

enum class OpKind : uint8_t { Attach, Detach };

struct PendingOp {
    OpKind kind;
    void** pointer;
    TrampolineSlot* slot;
};

constexpr size_t kMaxPendingOps = 32;

// Plain data with static storage: usable at any time, also from functions registered to
// run at process exit, without construction order concerns.
struct Transaction {
    volatile LONG owner;  // thread id of the transaction's thread, 0 when none is open
    LONG error;
    size_t count;
    PendingOp ops[kMaxPendingOps];
};
Transaction g_transaction;

bool OwnedByThisThread() {
    return g_transaction.owner != 0 && static_cast<DWORD>(g_transaction.owner) == ::GetCurrentThreadId();
}

LONG Fail(LONG error) {
    g_transaction.error = error;
    return error;
}

void Close() {
    g_transaction.count = 0;
    g_transaction.error = NO_ERROR;
    ::InterlockedExchange(&g_transaction.owner, 0);
}

bool Pending(const void* target, OpKind kind) {
    for (size_t i = 0; i < g_transaction.count; ++i) {
        const PendingOp& op = g_transaction.ops[i];
        if (op.kind == kind && op.slot->target == target) return true;
    }
    return false;
}

// Writes the patch (attach) or the original bytes (detach) of one operation, forwards or
// backwards (to undo a partly written commit).
bool Write(const PendingOp& op, bool forward) {
    TrampolineSlot* slot = op.slot;
    const bool patch = (op.kind == OpKind::Attach) == forward;
    WritableCode writable(slot->target, slot->plan.movedLength);
    if (!writable.Ok()) return false;
    std::memcpy(slot->target, patch ? slot->patch : slot->original, slot->plan.movedLength);
    return true;
}

void SetState(TrampolineSlot* slot, SlotState state) {
    WritableCode writable(slot, sizeof(*slot));
    if (writable.Ok()) slot->state = state;
}

// A thread stopped inside bytes about to be overwritten continues at the same instruction
// in the trampoline. (A thread at the very start runs into the jump, which is fine.)
void MoveOutOfPatchedBytes(uintptr_t& ip) {
    for (size_t i = 0; i < g_transaction.count; ++i) {
        const PendingOp& op = g_transaction.ops[i];
        if (op.kind != OpKind::Attach) continue;
        const auto target = reinterpret_cast<uintptr_t>(op.slot->target);
        if (ip <= target || ip >= target + op.slot->plan.movedLength) continue;
        const int offset = TrampolineOffsetFor(op.slot->plan, ip - target);
        if (offset >= 0) ip = reinterpret_cast<uintptr_t>(op.slot->code) + static_cast<uintptr_t>(offset);
        return;
    }
}

}  // namespace

LONG WINAPI BeginInterception() {
    const auto self = static_cast<LONG>(::GetCurrentThreadId());
    if (::InterlockedCompareExchange(&g_transaction.owner, self, 0) != 0) return ERROR_INVALID_OPERATION;
    g_transaction.count = 0;
    g_transaction.error = NO_ERROR;
    return NO_ERROR;
}

LONG WINAPI AbortInterception() {
    if (!OwnedByThisThread()) return ERROR_INVALID_OPERATION;
    for (size_t i = 0; i < g_transaction.count; ++i) {
        if (g_transaction.ops[i].kind == OpKind::Attach) ReleaseSlot(g_transaction.ops[i].slot);
    }
    Close();
    return NO_ERROR;
}

LONG WINAPI IncludeThreadInInterception(HANDLE thread) {
    if (!OwnedByThisThread()) return ERROR_INVALID_OPERATION;
    if (g_transaction.error != NO_ERROR) return g_transaction.error;
    if (!thread) return Fail(ERROR_INVALID_HANDLE);
    return NO_ERROR;
}

LONG WINAPI InterceptFunction(PVOID* pointer, PVOID replacement) {
    if (!OwnedByThisThread()) return ERROR_INVALID_OPERATION;
    if (g_transaction.error != NO_ERROR) return g_transaction.error;
    if (!pointer || !*pointer || !replacement) return Fail(ERROR_INVALID_HANDLE);
    if (g_transaction.count == kMaxPendingOps) return Fail(ERROR_NOT_ENOUGH_MEMORY);

    auto* target = static_cast<uint8_t*>(SkipImportThunks(*pointer));
    void* destination = SkipImportThunks(replacement);
    if (!IsExecutable(target)) return Fail(ERROR_INVALID_BLOCK);
    if (Pending(target, OpKind::Attach)) return Fail(ERROR_INVALID_OPERATION);

    uint8_t code[kMaxMovedBytes + 16];
    const size_t available = ReadCode(target, code, sizeof(code));
    TrampolineSlot* slot = ReserveSlot(target);
    if (!slot) return Fail(ERROR_NOT_ENOUGH_MEMORY);

    const TrampolinePlan plan =
        PlanTrampoline(kHostMode, code, available, reinterpret_cast<uintptr_t>(target), reinterpret_cast<uintptr_t>(slot->code));
    uint8_t patch[kMaxMovedBytes];
    uint8_t relay[kAbsoluteJumpSize] = {};
    bool ready = plan.Ok();
    if (ready) {
        std::memset(patch, 0xCC, sizeof(patch));  // int3 over the moved bytes behind the jump
        // x64: the jump goes to the relay beside the trampoline, which reaches anywhere.
        const uintptr_t via = kHostMode == CpuMode::X64 ? reinterpret_cast<uintptr_t>(slot->relay)
                                                         : reinterpret_cast<uintptr_t>(destination);
        ready = EncodeJump(kHostMode, reinterpret_cast<uintptr_t>(target), via, patch);
        if (kHostMode == CpuMode::X64) EncodeAbsoluteJump(reinterpret_cast<uintptr_t>(destination), relay);
    }
    WritableCode writable(slot, sizeof(*slot));
    if (!ready || !writable.Ok()) {
        ReleaseSlot(slot);
        return Fail(ERROR_INVALID_BLOCK);
    }
    std::memcpy(slot->code, plan.code, plan.codeSize);
    std::memset(slot->code + plan.codeSize, 0xCC, sizeof(slot->code) - plan.codeSize);
    std::memcpy(slot->relay, relay, sizeof(relay));
    slot->plan = plan;
    slot->target = target;
    slot->replacement = destination;
    std::memcpy(slot->original, code, plan.movedLength);
    std::memcpy(slot->patch, patch, plan.movedLength);
    g_transaction.ops[g_transaction.count++] = {OpKind::Attach, pointer, slot};
    return NO_ERROR;
}

LONG WINAPI StopIntercepting(PVOID* pointer, PVOID replacement) {
    if (!OwnedByThisThread()) return ERROR_INVALID_OPERATION;
    if (g_transaction.error != NO_ERROR) return g_transaction.error;
    if (!pointer || !*pointer || !replacement) return Fail(ERROR_INVALID_HANDLE);
    if (g_transaction.count == kMaxPendingOps) return Fail(ERROR_NOT_ENOUGH_MEMORY);

    TrampolineSlot* slot = FindSlotByCode(*pointer);
    if (!slot || slot->state != SlotState::Live || slot->replacement != SkipImportThunks(replacement)) {
        return Fail(ERROR_INVALID_BLOCK);
    }
    if (Pending(slot->target, OpKind::Detach)) return Fail(ERROR_INVALID_OPERATION);
    // Someone patched over our jump since: restoring our saved bytes would undo their work.
    uint8_t current[kMaxMovedBytes];
    if (ReadCode(slot->target, current, slot->plan.movedLength) != slot->plan.movedLength ||
        std::memcmp(current, slot->patch, kJumpSize) != 0) {
        return Fail(ERROR_INVALID_BLOCK);
    }
    g_transaction.ops[g_transaction.count++] = {OpKind::Detach, pointer, slot};
    return NO_ERROR;
}

LONG WINAPI CommitInterception() {
    if (!OwnedByThisThread()) return ERROR_INVALID_OPERATION;
    if (g_transaction.error != NO_ERROR) {
        const LONG error = g_transaction.error;
        AbortInterception();
        return error;
    }
    LONG result = NO_ERROR;
    {
        OtherThreadsFrozen frozen;
        // Before any byte changes: this also waits until every suspension has taken hold.
        frozen.MoveInstructionPointers(MoveOutOfPatchedBytes);

        size_t written = 0;
        while (written < g_transaction.count && Write(g_transaction.ops[written], true)) ++written;
        if (written < g_transaction.count) {
            // Undo, so the transaction is all or nothing. Threads moved into a trampoline
            // keep running there correctly; its slot is retired, never reused.
            while (written > 0) Write(g_transaction.ops[--written], false);
            for (size_t i = 0; i < g_transaction.count; ++i) {
                if (g_transaction.ops[i].kind == OpKind::Attach) SetState(g_transaction.ops[i].slot, SlotState::Retired);
            }
            result = ERROR_INVALID_BLOCK;
        } else {
            // The pointers change while the other threads are still stopped, so no caller of
            // a replacement ever sees the pointer still naming the (now patched) target.
            for (size_t i = 0; i < g_transaction.count; ++i) {
                const PendingOp& op = g_transaction.ops[i];
                const bool attach = op.kind == OpKind::Attach;
                SetState(op.slot, attach ? SlotState::Live : SlotState::Retired);
                ::InterlockedExchangePointer(op.pointer, attach ? static_cast<void*>(op.slot->code)
                                                                : static_cast<void*>(op.slot->target));
            }
        }
    }
    Close();
    return result;
}
