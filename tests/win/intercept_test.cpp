// The interception layer on real machine code of the build's architecture: attach and detach on several common
// prologues, callers that hold the address from GetProcAddress or an import, the
// trampoline reaching the original, refusals that leave the target untouched, and threads
// running through the target while it is patched.
#include "base/Handles.h"
#include "features/intercept/Interception.h"
#include "win/intercept_probes.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace {

using Probe = long long (*)(long long, long long);

struct Named {
    const char* name;
    Probe probe;
};

// The pointer handed to InterceptFunction: the target before, the trampoline after.
Probe g_real = nullptr;
std::atomic<int> g_replacementCalls{0};

long long Replacement(long long a, long long b) {
    ++g_replacementCalls;
    return 1000 + g_real(a, b);
}

struct EntryBytes {
    uint8_t bytes[24];
};

EntryBytes Snapshot(const void* code) {
    EntryBytes e;
    std::memcpy(e.bytes, code, sizeof(e.bytes));
    return e;
}

// A Win32 thread (its handle is needed to suspend it and read its context).
class Worker {
public:
    explicit Worker(std::function<void()> body) : m_body(std::move(body)) {
        m_thread.Reset(::CreateThread(nullptr, 0, &Worker::Run, this, 0, nullptr));
    }
    ~Worker() { Join(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    void Join() const {
        if (m_thread) ::WaitForSingleObject(m_thread.Get(), INFINITE);
    }
    [[nodiscard]] HANDLE Handle() const { return m_thread.Get(); }

private:
    static DWORD WINAPI Run(void* self) {
        static_cast<Worker*>(self)->m_body();
        return 0;
    }
    std::function<void()> m_body;
    UniqueHandle m_thread;
};

// Declared after its Worker, so it runs first when a test ends early: lets the worker run
// to its end instead of leaving the join waiting on a suspended or endless thread.
struct StopWorker {
    std::atomic<bool>& stop;
    HANDLE thread;
    ~StopWorker() {
        stop = true;
        DWORD previous = 0;
        while (thread && (previous = ::ResumeThread(thread)) != static_cast<DWORD>(-1) && previous > 1) {
        }
    }
};

bool Same(const EntryBytes& a, const EntryBytes& b) { return std::memcmp(a.bytes, b.bytes, sizeof(a.bytes)) == 0; }

DWORD Protection(const void* code) {
    MEMORY_BASIC_INFORMATION mbi{};
    ::VirtualQuery(code, &mbi, sizeof(mbi));
    return mbi.Protect;
}

// One transaction with one operation; returns the commit's result, and the operation's
// result through `step`.
LONG Transact(bool attach, void** pointer, void* replacement, LONG* step = nullptr) {
    EXPECT_EQ(BeginInterception(), NO_ERROR);
    EXPECT_EQ(IncludeThreadInInterception(::GetCurrentThread()), NO_ERROR);
    const LONG s = attach ? InterceptFunction(pointer, replacement) : StopIntercepting(pointer, replacement);
    if (step) *step = s;
    return CommitInterception();
}

LONG Attach(Probe& pointer) { return Transact(true, reinterpret_cast<void**>(&pointer), reinterpret_cast<void*>(Replacement)); }
LONG Detach(Probe& pointer) { return Transact(false, reinterpret_cast<void**>(&pointer), reinterpret_cast<void*>(Replacement)); }

}  // namespace

TEST(Intercept, AttachAndDetachOnCommonPrologues) {
    const Named probes[] = {
        {"frame", qh_probe_frame},     {"pushes", qh_probe_pushes},     {"home", qh_probe_home},
        {"rip_load", qh_probe_rip_load}, {"rip_test", qh_probe_rip_test}, {"call", qh_probe_call},
        {"endbr", qh_probe_endbr},     {"pad", qh_probe_pad},           {"jump", qh_probe_jump},
        {"nops", qh_probe_nops},
    };
    for (const Named& p : probes) {
        SCOPED_TRACE(p.name);
        const EntryBytes before = Snapshot(reinterpret_cast<const void*>(p.probe));
        const DWORD protection = Protection(reinterpret_cast<const void*>(p.probe));
        ASSERT_EQ(p.probe(5, 7), 22);

        g_real = p.probe;
        ASSERT_EQ(Attach(g_real), NO_ERROR);
        EXPECT_NE(g_real, p.probe);
        EXPECT_EQ(g_real(5, 7), 22) << "the trampoline runs the original";
        g_replacementCalls = 0;
        EXPECT_EQ(p.probe(5, 7), 1022) << "a direct call reaches the replacement";
        EXPECT_EQ(g_replacementCalls, 1);
        EXPECT_EQ(Protection(reinterpret_cast<const void*>(p.probe)), protection);

        ASSERT_EQ(Detach(g_real), NO_ERROR);
        EXPECT_EQ(g_real, p.probe);
        EXPECT_EQ(p.probe(5, 7), 22);
        EXPECT_TRUE(Same(Snapshot(reinterpret_cast<const void*>(p.probe)), before));
        EXPECT_EQ(Protection(reinterpret_cast<const void*>(p.probe)), protection);
    }
}

TEST(Intercept, CallerHoldingTheExportedAddressReachesTheReplacement) {
    const auto exported = reinterpret_cast<Probe>(::GetProcAddress(::GetModuleHandleW(nullptr), "qh_probe_exported"));
    ASSERT_NE(exported, nullptr);
    g_real = qh_probe_exported;
    ASSERT_EQ(Attach(g_real), NO_ERROR);
    EXPECT_EQ(exported(5, 7), 1022);
    EXPECT_EQ(g_real(5, 7), 22);
    ASSERT_EQ(Detach(g_real), NO_ERROR);
    EXPECT_EQ(exported(5, 7), 22);
}

namespace {
UINT(WINAPI* g_realNumDevs)() = nullptr;
UINT WINAPI CountedNumDevs() { return 100 + g_realNumDevs(); }
}  // namespace

TEST(Intercept, SystemDllFunctionIsReachedThroughItsImportAndGetProcAddress) {
    // waveOutGetNumDevs in Wine's winmm starts with a call: the moved call is re-aimed.
    HMODULE winmm = ::GetModuleHandleW(L"winmm.dll");
    ASSERT_NE(winmm, nullptr);
    const auto exported = reinterpret_cast<UINT(WINAPI*)()>(::GetProcAddress(winmm, "waveOutGetNumDevs"));
    const UINT devices = waveOutGetNumDevs();
    g_realNumDevs = waveOutGetNumDevs;  // declared dllimport: the address in winmm, not a local stub
    ASSERT_EQ(reinterpret_cast<void*>(g_realNumDevs), reinterpret_cast<void*>(exported));

    ASSERT_EQ(Transact(true, reinterpret_cast<void**>(&g_realNumDevs), reinterpret_cast<void*>(CountedNumDevs)), NO_ERROR);
    EXPECT_EQ(waveOutGetNumDevs(), 100 + devices);
    EXPECT_EQ(exported(), 100 + devices);
    EXPECT_EQ(g_realNumDevs(), devices);
    ASSERT_EQ(Transact(false, reinterpret_cast<void**>(&g_realNumDevs), reinterpret_cast<void*>(CountedNumDevs)), NO_ERROR);
    EXPECT_EQ(exported(), devices);
}

TEST(Intercept, ImportThunkIsFollowedToTheFunctionItLeadsTo) {
    // jmp through the slot right behind it, followed by the function's address, as an import
    // stub jumps through its slot (x86-64: [rip+0]; x86: the slot's absolute address).
    const UniqueVirtualMemory memory(::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    ASSERT_TRUE(memory);
    auto* thunk = static_cast<uint8_t*>(memory.Get());
    uint8_t jump[6] = {0xFF, 0x25, 0, 0, 0, 0};
#ifndef _WIN64
    const auto slot = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(thunk + 6));
    std::memcpy(jump + 2, &slot, sizeof(slot));
#endif
    std::memcpy(thunk, jump, 6);
    const Probe function = qh_probe_frame;
    std::memcpy(thunk + 6, &function, sizeof(function));

    g_real = reinterpret_cast<Probe>(thunk);
    ASSERT_EQ(Attach(g_real), NO_ERROR);
    EXPECT_EQ(qh_probe_frame(5, 7), 1022) << "the function itself is patched, not the stub";
    EXPECT_EQ(reinterpret_cast<Probe>(thunk)(5, 7), 1022);
    ASSERT_EQ(Detach(g_real), NO_ERROR);
    EXPECT_EQ(g_real, qh_probe_frame);
}

TEST(Intercept, UnknownEntriesAreRefusedAndLeftUnpatched) {
    const struct {
        const char* name;
        Probe probe;
        long long expected;
    } refused[] = {
        {"short_jump", qh_probe_short_jump, 22},
        {"short_jcc", qh_probe_short_jcc, 22},
        {"unknown", qh_probe_unknown, 22},
        {"too_short", qh_probe_too_short, 0},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.name);
        const EntryBytes before = Snapshot(reinterpret_cast<const void*>(r.probe));
        g_real = r.probe;
        LONG step = NO_ERROR;
        EXPECT_EQ(Transact(true, reinterpret_cast<void**>(&g_real), reinterpret_cast<void*>(Replacement), &step),
                  ERROR_INVALID_BLOCK);
        EXPECT_EQ(step, ERROR_INVALID_BLOCK);
        EXPECT_EQ(g_real, r.probe);
        EXPECT_TRUE(Same(Snapshot(reinterpret_cast<const void*>(r.probe)), before));
        EXPECT_EQ(r.probe(5, 7), r.expected);
    }
}

TEST(Intercept, TransactionIsAllOrNothing) {
    // A good target and a refused one in one transaction: nothing is patched.
    const EntryBytes before = Snapshot(reinterpret_cast<const void*>(qh_probe_frame));
    Probe good = qh_probe_frame;
    Probe bad = qh_probe_unknown;
    ASSERT_EQ(BeginInterception(), NO_ERROR);
    EXPECT_EQ(InterceptFunction(reinterpret_cast<void**>(&good), reinterpret_cast<void*>(Replacement)), NO_ERROR);
    EXPECT_EQ(InterceptFunction(reinterpret_cast<void**>(&bad), reinterpret_cast<void*>(Replacement)),
              ERROR_INVALID_BLOCK);
    // After a failure the transaction answers with that failure.
    EXPECT_EQ(IncludeThreadInInterception(::GetCurrentThread()), ERROR_INVALID_BLOCK);
    EXPECT_EQ(CommitInterception(), ERROR_INVALID_BLOCK);
    EXPECT_EQ(good, qh_probe_frame);
    EXPECT_TRUE(Same(Snapshot(reinterpret_cast<const void*>(qh_probe_frame)), before));
    EXPECT_EQ(qh_probe_frame(5, 7), 22);

    // An aborted transaction changes nothing either.
    ASSERT_EQ(BeginInterception(), NO_ERROR);
    EXPECT_EQ(InterceptFunction(reinterpret_cast<void**>(&good), reinterpret_cast<void*>(Replacement)), NO_ERROR);
    EXPECT_EQ(AbortInterception(), NO_ERROR);
    EXPECT_EQ(good, qh_probe_frame);
    EXPECT_TRUE(Same(Snapshot(reinterpret_cast<const void*>(qh_probe_frame)), before));
}

TEST(Intercept, MisusedTransactionsAreRejected) {
    Probe p = qh_probe_frame;
    void* repl = reinterpret_cast<void*>(Replacement);
    EXPECT_EQ(InterceptFunction(reinterpret_cast<void**>(&p), repl), ERROR_INVALID_OPERATION);
    EXPECT_EQ(CommitInterception(), ERROR_INVALID_OPERATION);
    EXPECT_EQ(AbortInterception(), ERROR_INVALID_OPERATION);

    ASSERT_EQ(BeginInterception(), NO_ERROR);
    EXPECT_EQ(BeginInterception(), ERROR_INVALID_OPERATION);
    LONG fromOtherThread = NO_ERROR;
    std::thread([&] { fromOtherThread = BeginInterception(); }).join();
    EXPECT_EQ(fromOtherThread, ERROR_INVALID_OPERATION);
    EXPECT_EQ(AbortInterception(), NO_ERROR);

    const struct {
        const char* what;
        void** pointer;
        void* replacement;
        bool attach;
        LONG error;
    } cases[] = {
        {"null pointer", nullptr, repl, true, ERROR_INVALID_HANDLE},
        {"null replacement", reinterpret_cast<void**>(&p), nullptr, true, ERROR_INVALID_HANDLE},
        {"data, not code", reinterpret_cast<void**>(&g_real), repl, true, ERROR_INVALID_BLOCK},
        {"detach of what is not attached", reinterpret_cast<void**>(&p), repl, false, ERROR_INVALID_BLOCK},
    };
    static long long notCode = 0;
    g_real = reinterpret_cast<Probe>(&notCode);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(BeginInterception(), NO_ERROR);
        EXPECT_EQ(c.attach ? InterceptFunction(c.pointer, c.replacement) : StopIntercepting(c.pointer, c.replacement),
                  c.error);
        EXPECT_EQ(CommitInterception(), c.error);
    }

    // The same target twice in one transaction would lose the first replacement.
    Probe again = qh_probe_frame;
    ASSERT_EQ(BeginInterception(), NO_ERROR);
    EXPECT_EQ(InterceptFunction(reinterpret_cast<void**>(&p), repl), NO_ERROR);
    EXPECT_EQ(InterceptFunction(reinterpret_cast<void**>(&again), repl), ERROR_INVALID_OPERATION);
    EXPECT_EQ(CommitInterception(), ERROR_INVALID_OPERATION);
    EXPECT_EQ(p, qh_probe_frame);
    EXPECT_EQ(qh_probe_frame(5, 7), 22);
}

namespace {

uintptr_t InstructionPointer(const CONTEXT& context) {
#ifdef _WIN64
    return context.Rip;
#else
    return context.Eip;
#endif
}

uintptr_t StackPointer(const CONTEXT& context) {
#ifdef _WIN64
    return context.Rsp;
#else
    return context.Esp;
#endif
}

// Room between the worker's own stack pointer and the frame made up for it.
constexpr size_t kFakeFrameDistance = 16 * 1024;

// Commits the worker's stack well past the made-up frame, so writing it from another
// thread touches no guard page.
__attribute__((noinline)) void CommitStackBelow() {
    volatile unsigned char pages[2 * kFakeFrameDistance];
    for (size_t i = 0; i < sizeof(pages); i += 256) pages[i] = 0;
    pages[sizeof(pages) - 1] = 0;
}

// `saved` with the thread put at `entry + offset` as if it had called the probe with (a, b)
// and been stopped there: the return address leads to qh_probe_landing. The frame is
// written far below the thread's own stack pointer, in stack it does not use.
CONTEXT CallStoppedAt(const CONTEXT& saved, uintptr_t entry, uintptr_t offset, long long a, long long b) {
    CONTEXT call = saved;
    const uintptr_t landing = reinterpret_cast<uintptr_t>(qh_probe_landing);
    // At a function's entry the stack is one return address below a 16-byte boundary.
    const uintptr_t sp = ((StackPointer(saved) - kFakeFrameDistance) & ~uintptr_t{15}) - sizeof(void*);
    std::memcpy(reinterpret_cast<void*>(sp), &landing, sizeof(landing));
#ifdef _WIN64
    call.Rip = entry + offset;
    call.Rsp = sp;
    call.Rcx = static_cast<DWORD64>(a);
    call.Rdx = static_cast<DWORD64>(b);
#else
    // cdecl: both arguments on the stack above the return address, 64 bits each.
    std::memcpy(reinterpret_cast<void*>(sp + 4), &a, sizeof(a));
    std::memcpy(reinterpret_cast<void*>(sp + 12), &b, sizeof(b));
    call.Eip = entry + offset;
    call.Esp = sp;
#endif
    return call;
}

// Suspends a thread and keeps its state; however the test ends, puts that state back and
// lets the thread go on.
class BorrowedThread {
public:
    explicit BorrowedThread(HANDLE thread) : m_thread(thread) {
        m_suspended = Stop();
        m_saved.ContextFlags = CONTEXT_FULL;
        m_ok = m_suspended && ::GetThreadContext(thread, &m_saved);
    }
    ~BorrowedThread() {
        if (!m_suspended && m_lent) m_suspended = Stop();
        if (!m_suspended) return;
        if (m_lent) PutBack();
        ::ResumeThread(m_thread);
    }
    BorrowedThread(const BorrowedThread&) = delete;
    BorrowedThread& operator=(const BorrowedThread&) = delete;

    [[nodiscard]] bool Ok() const { return m_ok; }
    [[nodiscard]] const CONTEXT& Saved() const { return m_saved; }

    // The three below only while suspended.
    bool Set(CONTEXT context) {
        context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
        m_lent = true;
        return ::SetThreadContext(m_thread, &context) != 0;
    }
    bool PutBack() {
        CONTEXT saved = m_saved;
        if (!::SetThreadContext(m_thread, &saved)) return false;
        m_lent = false;
        return true;
    }
    bool Resume() {
        if (::ResumeThread(m_thread) != 1) return false;
        m_suspended = false;
        return true;
    }
    bool Suspend() {
        m_suspended = Stop();
        return m_suspended;
    }

private:
    // Returns once the thread has really stopped: GetThreadContext waits for that.
    bool Stop() const {
        if (::SuspendThread(m_thread) == static_cast<DWORD>(-1)) return false;
        CONTEXT context{};
        context.ContextFlags = CONTEXT_CONTROL;
        return ::GetThreadContext(m_thread, &context) != 0;
    }

    HANDLE m_thread;
    CONTEXT m_saved{};
    bool m_suspended = false;
    bool m_ok = false;
    bool m_lent = false;
};

// Polls for what the test waits on, with a bound no healthy machine comes near.
template <class Done>
bool WaitFor(Done done) {
    for (int waited = 0; waited < 60000; waited += 5) {
        if (done()) return true;
        ::Sleep(5);
    }
    return done();
}

}  // namespace

TEST(Intercept, ThreadStoppedInsideThePatchedBytesContinuesInTheTrampoline) {
    // The worker is stopped wherever it spins and given a made-up call into the probe,
    // stopped after the k-th of its nops: bytes the jump will overwrite. The commit must
    // move it to the same instruction in the trampoline, which still returns 3*5+7.
    std::atomic<bool> stop{false};
    std::atomic<bool> spinning{false};
    Worker worker([&] {
        CommitStackBelow();
        spinning = true;
        while (!stop) {
        }
    });
    HANDLE thread = worker.Handle();
    ASSERT_NE(thread, nullptr);
    StopWorker guard{stop, thread};
    // Suspended only once it spins: not inside a system call, holding no lock.
    ASSERT_TRUE(WaitFor([&] { return spinning.load(); }));

    const auto entry = reinterpret_cast<uintptr_t>(qh_probe_nops);
    for (uintptr_t k = 1; k < 5; ++k) {
        SCOPED_TRACE(testing::Message() << "stopped at entry+" << k);
        BorrowedThread borrowed(thread);
        ASSERT_TRUE(borrowed.Ok());
        qh_landing_done = 0;
        qh_landing_result = 0;
        ASSERT_TRUE(borrowed.Set(CallStoppedAt(borrowed.Saved(), entry, k, 5, 7)));

        g_real = qh_probe_nops;
        ASSERT_EQ(Attach(g_real), NO_ERROR);  // the commit suspends it once more and moves it
        struct DetachAtEnd {
            ~DetachAtEnd() {
                if (g_real != qh_probe_nops) Detach(g_real);
            }
        } detach;
        CONTEXT moved{};
        moved.ContextFlags = CONTEXT_CONTROL;
        ASSERT_TRUE(::GetThreadContext(thread, &moved));
        ASSERT_EQ(InstructionPointer(moved), reinterpret_cast<uintptr_t>(g_real) + k) << "moved into the trampoline";

        ASSERT_TRUE(borrowed.Resume());
        ASSERT_TRUE(WaitFor([] { return qh_landing_done != 0; })) << "the call never returned";
        const long long result = qh_landing_result;
        EXPECT_EQ(result, 22) << "the trampoline ran the rest of the original";

        ASSERT_TRUE(borrowed.Suspend());
        ASSERT_TRUE(borrowed.PutBack());
        ASSERT_EQ(Detach(g_real), NO_ERROR);
        EXPECT_EQ(g_real, qh_probe_nops);
    }
    stop = true;
    worker.Join();
    EXPECT_EQ(qh_probe_nops(5, 7), 22);
}

namespace {
long long Constant(long long a, long long b) { return 1000 + 3 * a + b; }
}  // namespace

TEST(Intercept, ThreadsCallingThroughTheTargetSurviveRepeatedPatching) {
    // While the worker calls the target and whatever pointer it last saw (a trampoline may
    // be retired by then), the main thread attaches and detaches over and over.
    std::atomic<bool> stop{false};
    std::atomic<long> wrong{0};
    std::atomic<long> calls{0};
    static std::atomic<Probe> seen{qh_probe_pushes};
    Worker worker([&] {
        while (!stop) {
            const long long direct = qh_probe_pushes(5, 7);
            const long long through = seen.load()(5, 7);
            if ((direct != 22 && direct != 1022) || (through != 22 && through != 1022)) ++wrong;
            ++calls;
        }
    });
    StopWorker guard{stop, worker.Handle()};
    Probe pointer = qh_probe_pushes;
    for (int round = 0; round < 100; ++round) {
        ASSERT_EQ(Transact(true, reinterpret_cast<void**>(&pointer), reinterpret_cast<void*>(Constant)), NO_ERROR);
        seen = pointer;
        ASSERT_EQ(Transact(false, reinterpret_cast<void**>(&pointer), reinterpret_cast<void*>(Constant)), NO_ERROR);
    }
    const long before = calls;
    while (calls < before + 100) std::this_thread::yield();
    stop = true;
    worker.Join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(pointer, qh_probe_pushes);
    EXPECT_EQ(qh_probe_pushes(5, 7), 22);
}
