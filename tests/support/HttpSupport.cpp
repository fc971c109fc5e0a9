// winsock2.h before anything that pulls in windows.h, which would bring the old winsock.h.
#include <winsock2.h>

#include "support/HttpSupport.h"

#include "support/DevService.h"

#include <commctrl.h>

#include <algorithm>

std::wstring ServiceUrl(const std::wstring& pathAndQuery) {
    return L"http://127.0.0.1:" + std::to_wstring(devservice::Port()) + pathAndQuery;
}

std::vector<std::string> RecordedRequestsTo(const std::string& path) {
    const std::string all = devservice::Get("/__control/requests?path=" + path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        if (end > start) lines.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

namespace {
// The JSON string that follows key (a quoted name and a colon) from the position on.
std::string StringAfter(const std::string& line, const std::string& key, size_t from) {
    const size_t at = line.find(key, from);
    if (at == std::string::npos || at + key.size() >= line.size() || line[at + key.size()] != '"') return {};
    std::string value;
    for (size_t i = at + key.size() + 1; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        value += line[i];
    }
    return value;
}
}  // namespace

std::string RecordField(const std::string& line, const std::string& name) {
    return StringAfter(line, "\"" + name + "\":", 0);
}

std::string RecordHeader(const std::string& line, const std::string& name) {
    const size_t headers = line.find("\"headers\":{");
    if (headers == std::string::npos) return {};
    const size_t end = line.find('}', headers);
    const std::string value = StringAfter(line, "\"" + name + "\":", headers);
    return line.find("\"" + name + "\":", headers) < end ? value : std::string();
}

int ClosedPort() {
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 0;
    int port = 0;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(addr);
    if (s != INVALID_SOCKET && ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &size) == 0)
        port = ntohs(addr.sin_port);
    if (s != INVALID_SOCKET) ::closesocket(s);
    ::WSACleanup();
    return port;
}

std::string FileContent(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    std::string content;
    if (!file) return content;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) content.append(buffer, got);
    return content;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFileContent(const std::wstring& path, const std::string& content) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

namespace {
const wchar_t kRecorderClass[] = L"QhProgressRecorder";

long long SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
}  // namespace

ProgressRecorder::ProgressRecorder(std::wstring watchedFile) : m_file(std::move(watchedFile)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kRecorderClass;
    ::RegisterClassW(&wc);  // fails harmlessly once registered
    m_hwnd = ::CreateWindowExW(0, kRecorderClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
}

ProgressRecorder::~ProgressRecorder() {
    if (m_hwnd) ::DestroyWindow(m_hwnd);
}

std::vector<ProgressRecorder::Sample> ProgressRecorder::Samples() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_samples;
}

size_t ProgressRecorder::Count() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_samples.size();
}

LRESULT CALLBACK ProgressRecorder::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgressRecorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == PBM_SETPOS) {
        const Sample sample{wParam, self->m_file.empty() ? -1 : SizeOf(self->m_file)};
        std::lock_guard<std::mutex> hold(self->m_lock);
        self->m_samples.push_back(sample);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

PumpedWorker::PumpedWorker(std::function<void()> work) : m_done(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE done = m_done.Get();
    m_thread = std::thread([work = std::move(work), done] {
        work();
        ::SetEvent(done);
    });
}

PumpedWorker::~PumpedWorker() {
    while (!PumpUntilDone(60000)) {
    }
    m_thread.join();
}

bool PumpedWorker::Done() const { return ::WaitForSingleObject(m_done.Get(), 0) == WAIT_OBJECT_0; }

bool PumpedWorker::PumpUntil(const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = ::GetTickCount();
    HANDLE done = m_done.Get();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (condition()) return true;
        if (Done()) return condition();
        const DWORD spent = ::GetTickCount() - start;
        if (spent >= ms) return false;
        ::MsgWaitForMultipleObjects(1, &done, FALSE, std::min<DWORD>(ms - spent, 50), QS_ALLINPUT);
    }
}

bool PumpedWorker::PumpUntilDone(DWORD ms) {
    return PumpUntil([this] { return Done(); }, ms);
}
