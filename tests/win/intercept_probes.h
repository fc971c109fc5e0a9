// Functions with known entry code for the interception tests (written in assembly, so the
// compiler cannot change their prologues). Each returns 3 * a + b unless noted.
#pragma once

extern "C" {
// push rbp; mov rbp,rsp; sub rsp,20h
long long qh_probe_frame(long long a, long long b);
// push r14; push r13; push r12 (the entry of Wine's waveOutWrite)
long long qh_probe_pushes(long long a, long long b);
// mov [rsp+8],rbx; push rdi; sub rsp,20h (saves into the caller's home area)
long long qh_probe_home(long long a, long long b);
// sub rsp,28h; mov eax,[rip+factor]: the moved load must still find its data
long long qh_probe_rip_load(long long a, long long b);
// sub rsp,28h; test byte [rip+flag],1 (an immediate behind the displacement); jz
long long qh_probe_rip_test(long long a, long long b);
// sub rsp,28h; call rel32: the moved call must still reach its callee
long long qh_probe_call(long long a, long long b);
// endbr64; push rbp; mov rbp,rsp
long long qh_probe_endbr(long long a, long long b);
// two-byte nop pad; push rbx; push rsi
long long qh_probe_pad(long long a, long long b);
// jmp rel32 to a body elsewhere (an entry someone already redirected)
long long qh_probe_jump(long long a, long long b);
// Exported from the test program, so GetProcAddress finds it.
long long qh_probe_exported(long long a, long long b);
// Eight one-byte nops before the body: every one of the first bytes starts an instruction.
long long qh_probe_nops(long long a, long long b);

// Not a probe: the return address of a call into a probe made by setting a thread's
// context. Stores the returned value in qh_landing_result, then sets qh_landing_done, then
// spins on the spot, using no stack, until the thread is given another context.
void qh_probe_landing();
extern volatile long long qh_landing_result;
extern volatile long qh_landing_done;

// Entries the decoder must refuse; each still works afterwards.
long long qh_probe_short_jump(long long a, long long b);   // jmp rel8 at the entry
long long qh_probe_short_jcc(long long a, long long b);    // test rcx,rcx; jz rel8
long long qh_probe_unknown(long long a, long long b);      // mov r8,rdx; rdtsc (not in the tables)
long long qh_probe_too_short(long long a, long long b);    // returns 0: xor eax,eax; ret
}
