// Our own function interception with a transaction interface: the entry of a target
// function is overwritten with a jump to its replacement, and the instructions it replaced
// move into a trampoline that the caller's pointer then calls to reach the original.
//
//   BeginInterception();
//   IncludeThreadInInterception(GetCurrentThread());
//   InterceptFunction(&realFunction, MyReplacement);  // realFunction: pointer to the target
//   CommitInterception();                              // realFunction now calls the original
//
// After the commit every caller in the process (also one holding an address from
// GetProcAddress or an import) reaches the replacement. Only the current process is
// patched. One transaction at a time per process, begun and ended on one thread.
//
// Results are Win32 error codes: NO_ERROR; ERROR_INVALID_OPERATION (no transaction of this
// thread, or the target is already in it); ERROR_INVALID_HANDLE (null pointer or
// replacement); ERROR_INVALID_BLOCK (the target's entry cannot be moved: an instruction the
// decoder does not know, a short branch, a function shorter than the jump, memory that is
// not code, or a detach of something that is not attached); ERROR_NOT_ENOUGH_MEMORY (no
// trampoline within reach). After a failed attach or detach the transaction only accepts
// being committed or aborted, and the commit returns that error without patching anything.
#pragma once
#include <windows.h>

LONG WINAPI BeginInterception();
LONG WINAPI AbortInterception();
LONG WINAPI CommitInterception();
// Accepts a thread of this process. The commit suspends every other thread of the process
// in any case, so a caller that names only its own thread is as safe as one that names all.
LONG WINAPI IncludeThreadInInterception(HANDLE thread);
LONG WINAPI InterceptFunction(PVOID* pointer, PVOID replacement);
LONG WINAPI StopIntercepting(PVOID* pointer, PVOID replacement);
