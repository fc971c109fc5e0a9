#include "support/Registry.h"

#include "base/Handles.h"

#include <algorithm>
#include <cwctype>

namespace {
UniqueRegKey OpenKey(HKEY root, const wchar_t* keyPath, REGSAM access) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(root, keyPath, 0, access, &raw) != ERROR_SUCCESS) return UniqueRegKey();
    return UniqueRegKey(raw);
}
}  // namespace

std::optional<RegValue> ReadValue(HKEY root, const wchar_t* keyPath, const wchar_t* name) {
    const UniqueRegKey key = OpenKey(root, keyPath, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    RegValue value;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    value.data.resize(size);
    if (::RegQueryValueExW(key.Get(), name, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    return value;
}

std::vector<std::wstring> MultiStrings(const RegValue& value) {
    std::vector<std::wstring> strings;
    const wchar_t* p = reinterpret_cast<const wchar_t*>(value.data.data());
    const size_t count = value.data.size() / sizeof(wchar_t);
    std::wstring current;
    auto keep = [&] {
        std::transform(current.begin(), current.end(), current.begin(),
                       [](wchar_t c) { return static_cast<wchar_t>(::towupper(c)); });
        strings.push_back(current);
        current.clear();
    };
    for (size_t i = 0; i < count; ++i) {
        if (p[i] == L'\0') {
            keep();
        } else {
            current += p[i];
        }
    }
    if (!current.empty()) keep();
    return strings;
}

bool KeyExists(HKEY root, const wchar_t* keyPath) { return OpenKey(root, keyPath, KEY_READ).IsValid(); }

RegValueRestore::~RegValueRestore() {
    const UniqueRegKey key = OpenKey(m_root, m_key.c_str(), KEY_SET_VALUE);
    if (!key) return;
    if (m_saved) {
        ::RegSetValueExW(key.Get(), m_name.c_str(), 0, m_saved->type, m_saved->data.data(),
                         static_cast<DWORD>(m_saved->data.size()));
    } else {
        ::RegDeleteValueW(key.Get(), m_name.c_str());
    }
}
