#include "app/rules/DumpPath.h"

std::wstring DumpPathForExecutable(const std::wstring& exePath) {
    const size_t lastDot = exePath.find_last_of(L'.');
    if (lastDot == std::wstring::npos) return {};
    const size_t lastSeparator = exePath.find_last_of(L"\\/");
    if (lastSeparator != std::wstring::npos && lastDot < lastSeparator) return {};
    return exePath.substr(0, lastDot) + L".dmp";
}
