#include "base/OwnWindows.h"

namespace {
struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    wchar_t cls[256] = {};  // the longest class name the system allows
    if (process == ::GetCurrentProcessId() && ::GetClassNameW(hwnd, cls, 256) &&
        lstrcmpW(cls, search->className) == 0) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}
}  // namespace

std::vector<HWND> OwnTopLevelWindows(const wchar_t* className) {
    Search search{className, {}};
    if (className) ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
