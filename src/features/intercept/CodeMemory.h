// Small helpers for reading and writing code of the current process.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace intercept {

// Makes code writable for the scope's life, then puts the previous protection back and
// flushes the instruction cache over the bytes.
class WritableCode {
public:
    WritableCode(void* address, size_t size) noexcept : m_address(address), m_size(size) {
        m_ok = ::VirtualProtect(address, size, PAGE_EXECUTE_READWRITE, &m_old) != FALSE;
    }
    ~WritableCode() {
        if (!m_ok) return;
        DWORD ignored = 0;
        ::VirtualProtect(m_address, m_size, m_old, &ignored);
        ::FlushInstructionCache(::GetCurrentProcess(), m_address, m_size);
    }
    WritableCode(const WritableCode&) = delete;
    WritableCode& operator=(const WritableCode&) = delete;
    [[nodiscard]] bool Ok() const noexcept { return m_ok; }

private:
    void* m_address;
    size_t m_size;
    DWORD m_old = 0;
    bool m_ok = false;
};

// True when the byte at `address` is committed, executable code.
bool IsExecutable(const void* address) noexcept;
// Copies up to `size` bytes from `address`, stopping where readable memory ends; returns
// how many were copied.
size_t ReadCode(const void* address, uint8_t* out, size_t size) noexcept;
// Follows import thunks (`jmp [pointer]`) to the function they lead to.
void* SkipImportThunks(void* code) noexcept;

}  // namespace intercept
