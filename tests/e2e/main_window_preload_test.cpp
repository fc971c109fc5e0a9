// The main window's hidden login page, built with the real browser control (the dev build):
// the control can only be created on a thread that has initialised OLE.
#include "support/Launcher.h"

#include <gtest/gtest.h>

namespace {
std::wstring DevProductPath() {
    const std::wstring tests = TestsDirectory();
    return tests.substr(0, tests.find_last_of(L'\\')) + L"\\dev\\QuarnelHalvira.exe";
}

struct ClassSearch {
    const wchar_t* className;
    bool found;
};

BOOL CALLBACK MatchClass(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    if (ClassName(child) == search->className) search->found = true;
    return !search->found;
}

// A window of the process, below one of its top-level windows, of the given class.
bool ProcessHoldsWindowOfClass(DWORD pid, const wchar_t* className) {
    ClassSearch search{className, false};
    for (HWND top : TopLevelWindowsOf(pid)) {
        ::EnumChildWindows(top, &MatchClass, reinterpret_cast<LPARAM>(&search));
        if (search.found) return true;
    }
    return false;
}
}  // namespace

TEST(MainWindowPreload, TheHiddenLoginPageHoldsARealBrowser) {
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(DevProductPath(), L"/TovD"));
    const HWND main = WaitForMainWindow(launcher.Id(), kPatienceMs);
    ASSERT_NE(main, nullptr);
    // The control's own window ("Shell Embedding") exists only once it was created and
    // placed in its site.
    EXPECT_TRUE(WaitUntil([&] { return ProcessHoldsWindowOfClass(launcher.Id(), L"Shell Embedding"); }, kPatienceMs));
    KillProcessTree(launcher.Id());
}
