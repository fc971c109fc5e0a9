// The probe functions of intercept_probes.h. x86-64: Microsoft calling convention, a in
// rcx, b in rdx, result in rax. x86: cdecl, a and b on the stack (64 bits each, only the low
// halves are used), result in edx:eax. The x86 forms use that architecture's own typical
// entries where the x86-64 one has no counterpart (noted per probe).
#include "win/intercept_probes.h"

#if defined(__x86_64__)
asm(R"(
    .data
    .p2align 2
qh_probe_factor:
    .long 3
qh_probe_flag:
    .byte 1
    .p2align 3
    .globl qh_landing_result
qh_landing_result:
    .quad 0
    .globl qh_landing_done
qh_landing_done:
    .long 0

    .section .drectve
    .ascii " -export:qh_probe_exported"

    .text
    .p2align 4
    .globl qh_probe_frame
qh_probe_frame:
    push %rbp
    mov %rsp, %rbp
    sub $0x20, %rsp
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    mov %rbp, %rsp
    pop %rbp
    ret

    .p2align 4
    .globl qh_probe_pushes
qh_probe_pushes:
    push %r14
    push %r13
    push %r12
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    pop %r12
    pop %r13
    pop %r14
    ret

    .p2align 4
    .globl qh_probe_home
qh_probe_home:
    mov %rbx, 8(%rsp)
    push %rdi
    sub $0x20, %rsp
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    add $0x20, %rsp
    pop %rdi
    mov 8(%rsp), %rbx
    ret

    .p2align 4
    .globl qh_probe_rip_load
qh_probe_rip_load:
    sub $0x28, %rsp
    movl qh_probe_factor(%rip), %eax
    imul %rcx, %rax
    add %rdx, %rax
    add $0x28, %rsp
    ret

    .p2align 4
    .globl qh_probe_rip_test
qh_probe_rip_test:
    sub $0x28, %rsp
    testb $1, qh_probe_flag(%rip)
    jz 1f
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    add $0x28, %rsp
    ret
1:  xor %eax, %eax
    add $0x28, %rsp
    ret

    .p2align 4
qh_probe_triple:
    lea (%rcx,%rcx,2), %rax
    ret

    .p2align 4
    .globl qh_probe_call
qh_probe_call:
    sub $0x28, %rsp
    .byte 0xE8
    .long qh_probe_triple - (. + 4)
    add %rdx, %rax
    add $0x28, %rsp
    ret

    .p2align 4
    .globl qh_probe_endbr
qh_probe_endbr:
    .byte 0xF3, 0x0F, 0x1E, 0xFA
    push %rbp
    mov %rsp, %rbp
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    pop %rbp
    ret

    .p2align 4
    .globl qh_probe_pad
qh_probe_pad:
    .byte 0x66, 0x90
    push %rbx
    push %rsi
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    pop %rsi
    pop %rbx
    ret

    .p2align 4
    .globl qh_probe_jump
qh_probe_jump:
    .byte 0xE9
    .long qh_probe_jump_body - (. + 4)
    int3
    int3
    int3
    .p2align 4
qh_probe_jump_body:
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    ret

    .p2align 4
    .globl qh_probe_exported
qh_probe_exported:
    push %rbx
    push %rsi
    push %rdi
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    pop %rdi
    pop %rsi
    pop %rbx
    ret

    .p2align 4
    .globl qh_probe_nops
qh_probe_nops:
    nop
    nop
    nop
    nop
    nop
    nop
    nop
    nop
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    ret

    # Where a call into a probe made by setting a thread's context returns: records the
    # result, then spins without touching the stack until the thread gets another context.
    .p2align 4
    .globl qh_probe_landing
qh_probe_landing:
    mov %rax, qh_landing_result(%rip)
    movl $1, qh_landing_done(%rip)
1:  pause
    jmp 1b

    .p2align 4
    .globl qh_probe_short_jump
qh_probe_short_jump:
    .byte 0xEB, 0x03
    int3
    int3
    int3
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    ret

    .p2align 4
    .globl qh_probe_short_jcc
qh_probe_short_jcc:
    test %rcx, %rcx
    .byte 0x74, 0x08
    lea (%rcx,%rcx,2), %rax
    add %rdx, %rax
    ret
    xor %eax, %eax
    ret

    .p2align 4
    .globl qh_probe_unknown
qh_probe_unknown:
    mov %rdx, %r8
    rdtsc
    lea (%rcx,%rcx,2), %rax
    add %r8, %rax
    ret

    .p2align 4
    .globl qh_probe_too_short
qh_probe_too_short:
    xor %eax, %eax
    ret
    .p2align 4
    nop
)");
#elif defined(__i386__)
// On x86 a is at 4(%esp) and b at 12(%esp) on entry.
asm(R"(
    .data
    .p2align 2
_qh_probe_factor:
    .long 3
_qh_probe_flag:
    .byte 1
    .p2align 3
    .globl _qh_landing_result
_qh_landing_result:
    .quad 0
    .globl _qh_landing_done
_qh_landing_done:
    .long 0

    .section .drectve
    .ascii " -export:qh_probe_exported"

    .text
    .p2align 4
    .globl _qh_probe_frame
_qh_probe_frame:
    push %ebp
    mov %esp, %ebp
    sub $0x20, %esp
    mov 8(%ebp), %eax
    lea (%eax,%eax,2), %eax
    add 16(%ebp), %eax
    xor %edx, %edx
    mov %ebp, %esp
    pop %ebp
    ret

    .p2align 4
    .globl _qh_probe_pushes
_qh_probe_pushes:
    push %esi
    push %edi
    push %ebx
    mov 16(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 24(%esp), %eax
    xor %edx, %edx
    pop %ebx
    pop %edi
    pop %esi
    ret

    # x86 has no home area: the system DLLs' hot-patch entry (mov edi,edi) stands here.
    .p2align 4
    .globl _qh_probe_home
_qh_probe_home:
    mov %edi, %edi
    push %ebp
    mov %esp, %ebp
    mov 8(%ebp), %eax
    lea (%eax,%eax,2), %eax
    add 16(%ebp), %eax
    xor %edx, %edx
    pop %ebp
    ret

    # x86 has no rip-relative form: an absolute load must still find its data.
    .p2align 4
    .globl _qh_probe_rip_load
_qh_probe_rip_load:
    sub $0x1c, %esp
    movl _qh_probe_factor, %eax
    imul 0x20(%esp), %eax
    add 0x28(%esp), %eax
    xor %edx, %edx
    add $0x1c, %esp
    ret

    .p2align 4
    .globl _qh_probe_rip_test
_qh_probe_rip_test:
    sub $0x1c, %esp
    testb $1, _qh_probe_flag
    jz 1f
    mov 0x20(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 0x28(%esp), %eax
    xor %edx, %edx
    add $0x1c, %esp
    ret
1:  xor %eax, %eax
    xor %edx, %edx
    add $0x1c, %esp
    ret

    .p2align 4
_qh_probe_triple:
    lea (%ecx,%ecx,2), %eax
    ret

    .p2align 4
    .globl _qh_probe_call
_qh_probe_call:
    mov 4(%esp), %ecx
    .byte 0xE8
    .long _qh_probe_triple - (. + 4)
    add 12(%esp), %eax
    xor %edx, %edx
    ret

    .p2align 4
    .globl _qh_probe_endbr
_qh_probe_endbr:
    .byte 0xF3, 0x0F, 0x1E, 0xFB
    push %ebp
    mov %esp, %ebp
    mov 8(%ebp), %eax
    lea (%eax,%eax,2), %eax
    add 16(%ebp), %eax
    xor %edx, %edx
    pop %ebp
    ret

    .p2align 4
    .globl _qh_probe_pad
_qh_probe_pad:
    .byte 0x66, 0x90
    push %ebx
    push %esi
    mov 12(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 20(%esp), %eax
    xor %edx, %edx
    pop %esi
    pop %ebx
    ret

    .p2align 4
    .globl _qh_probe_jump
_qh_probe_jump:
    .byte 0xE9
    .long _qh_probe_jump_body - (. + 4)
    int3
    int3
    int3
    .p2align 4
_qh_probe_jump_body:
    mov 4(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 12(%esp), %eax
    xor %edx, %edx
    ret

    .p2align 4
    .globl _qh_probe_exported
_qh_probe_exported:
    push %ebx
    push %esi
    push %edi
    mov 16(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 24(%esp), %eax
    xor %edx, %edx
    pop %edi
    pop %esi
    pop %ebx
    ret

    .p2align 4
    .globl _qh_probe_nops
_qh_probe_nops:
    nop
    nop
    nop
    nop
    nop
    nop
    nop
    nop
    mov 4(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 12(%esp), %eax
    xor %edx, %edx
    ret

    .p2align 4
    .globl _qh_probe_landing
_qh_probe_landing:
    mov %eax, _qh_landing_result
    mov %edx, _qh_landing_result+4
    movl $1, _qh_landing_done
1:  pause
    jmp 1b

    .p2align 4
    .globl _qh_probe_short_jump
_qh_probe_short_jump:
    .byte 0xEB, 0x03
    int3
    int3
    int3
    mov 4(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 12(%esp), %eax
    xor %edx, %edx
    ret

    .p2align 4
    .globl _qh_probe_short_jcc
_qh_probe_short_jcc:
    test %esp, %esp
    .byte 0x74, 0x0E
    mov 4(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 12(%esp), %eax
    xor %edx, %edx
    ret
    xor %eax, %eax
    cdq
    ret

    .p2align 4
    .globl _qh_probe_unknown
_qh_probe_unknown:
    push %ebx
    rdtsc
    mov 8(%esp), %eax
    lea (%eax,%eax,2), %eax
    add 16(%esp), %eax
    xor %edx, %edx
    pop %ebx
    ret

    .p2align 4
    .globl _qh_probe_too_short
_qh_probe_too_short:
    xor %eax, %eax
    cdq
    ret
    .p2align 4
    nop
)");
#endif
