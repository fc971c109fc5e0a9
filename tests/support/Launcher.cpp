#include "support/Launcher.h"

#include "support/Input.h"

#include "base/Messages.h"
#include "res/resource.h"

#include <tlhelp32.h>

std::vector<DWORD> ChildProcessesOf(DWORD parent) {
    std::vector<DWORD> children;
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = ::Process32FirstW(snapshot.Get(), &entry); ok; ok = ::Process32NextW(snapshot.Get(), &entry)) {
        // Wine starts its desktop process on the first window a fresh session makes, as a
        // child of whichever program made it: that is Wine's, not the launcher's.
        if (entry.th32ParentProcessID != parent || ::lstrcmpiW(entry.szExeFile, L"explorer.exe") == 0) continue;
        if (ProcessAlive(entry.th32ProcessID)) children.push_back(entry.th32ProcessID);
    }
    return children;
}

void KillProcess(DWORD pid) {
    UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) return;
    ::TerminateProcess(process.Get(), 1);
    ::WaitForSingleObject(process.Get(), 5000);
}

void KillProcessTree(DWORD pid) {
    for (DWORD child : ChildProcessesOf(pid)) KillProcessTree(child);
    KillProcess(pid);
}

HWND WaitForMainWindow(DWORD pid, DWORD ms) {
    const DWORD step = 50;
    for (DWORD waited = 0; waited <= ms; waited += step) {
        for (HWND hwnd : TopLevelWindowsOf(pid)) {
            if (ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira" && ::IsWindowVisible(hwnd)) {
                return hwnd;
            }
        }
        PumpMessagesFor(step);
    }
    return nullptr;
}

RECT ClientRectOnScreen(HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT RectInParent(HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, ::GetAncestor(child, GA_PARENT), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

HWND WaitForMessageBox(DWORD pid, HWND except, DWORD ms) {
    const DWORD step = 50;
    for (DWORD waited = 0; waited <= ms; waited += step) {
        for (HWND hwnd : VisibleTopLevelWindowsOf(pid)) {
            if (hwnd != except && ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira") return hwnd;
        }
        PumpMessagesFor(step);
    }
    return nullptr;
}

LRESULT SendLoginRecord(HWND mainWindow, const std::wstring& record) {
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>((record.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(record.c_str());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

FakeGameFrame::FakeGameFrame() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &FakeGameFrame::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"QhFakeGameFrame";
    ::RegisterClassW(&wc);
    m_hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"QhFakeGameFrame", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

FakeGameFrame::~FakeGameFrame() {
    if (::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

void FakeGameFrame::Register(HWND mainWindow, bool hall) {
    ::SetWindowLongPtrW(m_hwnd, GWL_STYLE, WS_CHILD | WS_CLIPCHILDREN);
    ::SetParent(m_hwnd, mainWindow);
    ::PostMessageW(mainWindow, WM_FRAME_CREATED, reinterpret_cast<WPARAM>(m_hwnd), hall ? 1 : 0);
    ::ShowWindow(m_hwnd, SW_SHOW);
}

void FakeGameFrame::ShowsZoom(HWND mainWindow, WPARAM shown) const {
    ::PostMessageW(mainWindow, WM_TAB_ZOOM, shown, reinterpret_cast<LPARAM>(m_hwnd));
}

void FakeGameFrame::PlaceInGameArea(HWND mainWindow) {
    RECT client{};
    ::GetClientRect(mainWindow, &client);
    ::MoveWindow(m_hwnd, 4, 30, client.right - 8, client.bottom - 34, TRUE);
    ::ShowWindow(m_hwnd, SW_SHOW);
}

LRESULT CALLBACK FakeGameFrame::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<FakeGameFrame*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_SYSCOMMAND && (w & 0xFFF0) == SC_CLOSE) {
        ++self->m_sysCloses;
        return 0;
    }
    if (self && msg == WM_SET_MUTE) {
        ++self->m_muteMessages;
        self->m_lastMute = w;
    }
    if (self && msg == WM_SET_ZOOM) {
        ++self->m_zoomMessages;
        self->m_lastZoom = w;
    }
    if (self && (msg == WM_KEYDOWN || msg == WM_CHAR)) self->m_keys.push_back(MSG{hwnd, msg, w, l});
    return ::DefWindowProcW(hwnd, msg, w, l);
}

HWND OpenMenuOf(DWORD pid) {
    for (HWND top : VisibleTopLevelWindowsOf(pid)) {
        if (ClassName(top) == L"#32768") return top;
    }
    return nullptr;
}

namespace {
bool HasTheKeyboard(DWORD pid) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(::GetForegroundWindow(), &owner);
    return owner == pid;
}
}  // namespace

void ClickSystemButton(HWND main) { ClickCentre(::GetDlgItem(main, IDC_BTN_SYSTEM)); }

bool WalkMenu(DWORD pid, std::initializer_list<WORD> keys) {
    if (!WaitUntil([&] { return OpenMenuOf(pid) != nullptr && HasTheKeyboard(pid); }, kPatienceMs)) return false;
    for (WORD key : keys) PressKeys({key});
    return true;
}

bool PickMenuItem(DWORD pid, WORD from, int moves) {
    if (!WalkMenu(pid, {from})) return false;
    const WORD step = moves < 0 ? VK_UP : VK_DOWN;
    for (int i = 0; i < (moves < 0 ? -moves : moves); ++i) PressKeys({step});
    PressKeys({VK_RETURN});
    return true;
}

void RightClickTab(HWND main, int index) {
    POINT tab{120 + 189 * index + 50, 12};
    ::ClientToScreen(main, &tab);
    RightClickAt(tab);
}
