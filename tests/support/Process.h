// Starting the launcher (or a helper program) as a child process and watching it.
#pragma once
#include "base/Handles.h"

#include <string>
#include <vector>

std::wstring TestsDirectory();  // folder of the running test program
std::wstring ProductPath();     // the test build of the launcher
std::wstring TempFolder(const std::wstring& name);  // a fresh, empty folder for one test
void RemoveFolder(const std::wstring& folder);      // the folder and everything in it

class ChildProcess {
public:
    // commandLine excludes the program; it is appended after the quoted path.
    bool Start(const std::wstring& program, const std::wstring& arguments);
    // True when the process ended within the time.
    bool WaitForExit(DWORD ms) const;
    DWORD ExitCode() const;
    DWORD Id() const noexcept { return m_id; }
    HANDLE Handle() const noexcept { return m_process.Get(); }
    void Kill() const;
    ~ChildProcess() { Kill(); }

private:
    UniqueHandle m_process;
    DWORD m_id = 0;
};

bool ProcessAlive(DWORD pid);
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> VisibleTopLevelWindowsOf(DWORD processId);
// Whether the window's thread takes a message within a second: a window that does not is
// what a user sees as hung.
bool AnswersWithinASecond(HWND hwnd);
// A visible top-level window of the process with the title, or null.
HWND VisibleWindowTitled(DWORD processId, const std::wstring& title);
// A visible button with the text in any top-level window of the process, or null.
HWND ButtonOfProcess(DWORD processId, const std::wstring& text);
// Waits until the process shows a visible top-level window of the class and title.
HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD ms);
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// A text as UTF-8, for failure messages and addresses.
std::string Utf8(const std::wstring& text);
// For a failure message: whether the process still runs, and each top-level window with its
// children (class, title, shown or hidden).
std::string DescribeWindowsOf(DWORD processId);
// For a failure message: the window's rectangle in its parent's client area (on the screen for
// a top-level window), its client size, and whether it is shown.
std::string DescribePlacement(HWND hwnd);
// The texts of all child windows, in z order.
std::vector<std::wstring> ChildTexts(HWND hwnd);
// Finds a child button by its text and clicks it the way a user's click arrives.
bool ClickButton(HWND parent, const std::wstring& text);
// Pumps this thread's messages for the time, so windows of the test stay responsive.
void PumpMessagesFor(DWORD ms);

// The bound for anything a test expects to happen. A passing wait returns as soon as it has
// happened, so the bound only matters on a slow or loaded machine, where game processes (which
// run at idle priority) may take many seconds to load a page.
constexpr DWORD kPatienceMs = 60000;

// Pumps until the condition holds or the time is over; returns the condition's last value.
template <class Condition>
bool WaitUntil(Condition condition, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 25) {
        if (condition()) return true;
        PumpMessagesFor(25);
    }
    return condition();
}
