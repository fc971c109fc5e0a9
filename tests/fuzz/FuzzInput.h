// Reads a fuzzer's bytes as the values a target needs: UTF-16 texts (as Windows hands them
// over), integers and flags. Running out of bytes gives empty texts and zeros.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // UTF-16LE code units up to a zero unit (consumed) or the end.
    std::wstring Text() {
        std::wstring text;
        while (m_pos + 1 < m_size) {
            const uint16_t unit = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
            m_pos += 2;
            if (unit == 0) break;
            text.push_back(static_cast<wchar_t>(unit));
        }
        return text;
    }
    // Bytes up to a zero byte (consumed) or the end.
    std::string Bytes() {
        std::string bytes;
        while (m_pos < m_size) {
            const char c = static_cast<char>(m_data[m_pos++]);
            if (c == '\0') break;
            bytes.push_back(c);
        }
        return bytes;
    }
    int32_t Int() {
        int32_t value = 0;
        const size_t n = m_size - m_pos < sizeof(value) ? m_size - m_pos : sizeof(value);
        std::memcpy(&value, m_data + m_pos, n);
        m_pos += n;
        return value;
    }
    bool Flag() { return m_pos < m_size ? (m_data[m_pos++] & 1) != 0 : false; }
    std::vector<std::wstring> Texts(size_t most) {
        std::vector<std::wstring> texts;
        while (m_pos < m_size && texts.size() < most) texts.push_back(Text());
        return texts;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A failed property of a rule: abort, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) __builtin_trap(); \
    } while (0)
