// Registry values for tests: read as they are, and put back as they were.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct RegValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

std::optional<RegValue> ReadValue(HKEY root, const wchar_t* keyPath, const wchar_t* name);
// The strings of a REG_MULTI_SZ value, upper-cased.
std::vector<std::wstring> MultiStrings(const RegValue& value);
bool KeyExists(HKEY root, const wchar_t* keyPath);

// Puts a value back as it was when the scope began (absent stays absent).
class RegValueRestore {
public:
    RegValueRestore(HKEY root, const wchar_t* keyPath, const wchar_t* name)
        : m_root(root), m_key(keyPath), m_name(name), m_saved(ReadValue(root, keyPath, name)) {}
    ~RegValueRestore();
    RegValueRestore(const RegValueRestore&) = delete;
    RegValueRestore& operator=(const RegValueRestore&) = delete;

private:
    HKEY m_root;
    std::wstring m_key, m_name;
    std::optional<RegValue> m_saved;
};
