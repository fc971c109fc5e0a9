// The probe functions of intercept_probes.h (x86-64, Microsoft calling convention:
// a in rcx, b in rdx, result in rax).
#include "win/intercept_probes.h"

#if defined(__x86_64__)
asm(R"(
    .data
    .p2align 2
qh_probe_factor:
    .long 3
qh_probe_flag:
    .byte 1

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
#endif
