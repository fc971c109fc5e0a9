#include "support/Process.h"

#include <shlobj.h>

std::wstring TestsDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\'));
}

std::wstring ProductPath() {
    const std::wstring tests = TestsDirectory();
    return tests.substr(0, tests.find_last_of(L'\\')) + L"\\test\\QuarnelHalvira.exe";
}

namespace {
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = folder + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(full.c_str());
            }
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}
}  // namespace

void RemoveFolder(const std::wstring& folder) { RemoveTree(folder); }

std::wstring TempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"qh_tests_" + name;
    RemoveTree(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool ChildProcess::Start(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        return false;
    }
    ::CloseHandle(pi.hThread);
    m_process.Reset(pi.hProcess);
    m_id = pi.dwProcessId;
    return true;
}

bool ChildProcess::WaitForExit(DWORD ms) const {
    if (!m_process) return true;
    const DWORD step = 20;
    for (DWORD waited = 0;; waited += step) {
        if (::WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0) return true;
        if (waited >= ms) return false;
        PumpMessagesFor(step);
    }
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_process) ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

void ChildProcess::Kill() const {
    if (m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.Get(), 99);
        ::WaitForSingleObject(m_process.Get(), 5000);
    }
}

namespace {
struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid) search->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ProcessAlive(DWORD pid) {
    UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    return process && ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

std::string Utf8(const std::wstring& text) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                            nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                          nullptr);
    return utf8;
}

namespace {
std::string DescribeWindow(HWND hwnd) {
    return Utf8(ClassName(hwnd)) + " \"" + Utf8(WindowText(hwnd)) + "\"" +
           (::IsWindowVisible(hwnd) ? " shown" : " hidden");
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM lp) {
    std::string& text = *reinterpret_cast<std::string*>(lp);
    text += "\n    child " + DescribeWindow(child);
    return TRUE;
}
}  // namespace

std::string DescribeWindowsOf(DWORD processId) {
    std::string text = "process " + std::to_string(processId) + (ProcessAlive(processId) ? " runs" : " has ended");
    for (HWND top : TopLevelWindowsOf(processId)) {
        text += "\n  window " + DescribeWindow(top);
        ::EnumChildWindows(top, &DescribeChild, reinterpret_cast<LPARAM>(&text));
    }
    return text;
}

std::string DescribePlacement(HWND hwnd) {
    RECT rc{}, client{};
    ::GetWindowRect(hwnd, &rc);
    ::GetClientRect(hwnd, &client);
    if (HWND parent = ::GetAncestor(hwnd, GA_PARENT); parent && parent != ::GetDesktopWindow()) {
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    }
    return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + ")-(" + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom) + ") client " + std::to_string(client.right) + "x" +
           std::to_string(client.bottom) + (::IsWindowVisible(hwnd) ? " shown" : " hidden");
}

std::vector<HWND> VisibleTopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> visible;
    for (HWND hwnd : TopLevelWindowsOf(processId)) {
        if (::IsWindowVisible(hwnd)) visible.push_back(hwnd);
    }
    return visible;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

bool AnswersWithinASecond(HWND hwnd) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

HWND VisibleWindowTitled(DWORD processId, const std::wstring& title) {
    for (HWND top : VisibleTopLevelWindowsOf(processId)) {
        if (WindowText(top) == title) return top;
    }
    return nullptr;
}

namespace {
struct ButtonSearch {
    const std::wstring* text;
    HWND found;
};

BOOL CALLBACK CheckButton(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    if (ClassName(child) == L"Button" && WindowText(child) == *search->text && ::IsWindowVisible(child)) {
        search->found = child;
    }
    return search->found ? FALSE : TRUE;
}
}  // namespace

HWND ButtonOfProcess(DWORD processId, const std::wstring& text) {
    ButtonSearch search{&text, nullptr};
    for (HWND top : TopLevelWindowsOf(processId)) {
        ::EnumChildWindows(top, CheckButton, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
    }
    return search.found;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD ms) {
    const DWORD step = 50;
    for (DWORD waited = 0; waited <= ms; waited += step) {
        for (HWND hwnd : TopLevelWindowsOf(processId)) {
            if (::IsWindowVisible(hwnd) && ClassName(hwnd) == className && WindowText(hwnd) == title) return hwnd;
        }
        PumpMessagesFor(step);
    }
    return nullptr;
}

std::vector<std::wstring> ChildTexts(HWND hwnd) {
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(WindowText(child));
    }
    return texts;
}

bool ClickButton(HWND parent, const std::wstring& text) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (WindowText(child) == text && ClassName(child) == L"Button") {
            // BM_CLICK posts the same press and release a mouse click would.
            ::PostMessageW(child, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

void PumpMessagesFor(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const DWORD now = ::GetTickCount();
        if (static_cast<int>(end - now) <= 0) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}
