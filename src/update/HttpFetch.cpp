#include "update/HttpFetch.h"

#include "base/Config.h"
#include "base/Log.h"
#include "base/rules/LogLine.h"
#include "update/HttpRequest.h"
#include "update/rules/DownloadProgress.h"
#include "update/rules/HttpUrl.h"

#include <algorithm>
#include <optional>

namespace {
const DWORD kReadChunk = 512;

// One use of the network as the support log shows it, written when it ends: the address
// without its query, what came of it and how long it took.
class NetworkUse {
public:
    explicit NetworkUse(const wchar_t* url) : m_address(AddressForLog(url ? url : L"")), m_start(::GetTickCount()) {}
    ~NetworkUse() {
        Log(L"GET " + m_address + L": " + (m_outcome.empty() ? L"failed" : m_outcome) + L", " +
            std::to_wstring(::GetTickCount() - m_start) + L" ms");
    }
    NetworkUse(const NetworkUse&) = delete;
    NetworkUse& operator=(const NetworkUse&) = delete;

    void Refused() { m_outcome = L"address refused (no plain http:// operator address)"; }
    // The connection or the request failed with the platform's error.
    void Failed(DWORD error) {
        switch (error) {
            case ERROR_INTERNET_TIMEOUT: m_outcome = L"timed out"; break;
            case ERROR_INTERNET_NAME_NOT_RESOLVED: m_outcome = L"host not found"; break;
            case ERROR_INTERNET_CANNOT_CONNECT: m_outcome = L"connection refused"; break;
            case ERROR_INTERNET_CONNECTION_ABORTED:
            case ERROR_INTERNET_CONNECTION_RESET:
                // Some WinINet builds (Wine's) end a wait that ran out as a cut connection.
                m_outcome = ::GetTickCount() - m_start >= config::kTransferTimeoutMs ? L"timed out" : L"connection cut";
                break;
            default: m_outcome = L"failed (error " + std::to_wstring(error) + L")"; break;
        }
    }
    // Status 0: the connection closed without a status line, which is no answer at all.
    void Answered(DWORD status, const std::wstring& what) {
        m_outcome = (status == 0 ? std::wstring(L"no answer (connection closed)") : L"status " + std::to_wstring(status)) +
                    (what.empty() ? L"" : L", " + what);
    }

private:
    std::wstring m_address;
    DWORD m_start;
    std::wstring m_outcome;
};

// Only plain HTTP, read exactly as every check of an address reads it.
std::optional<HttpUrlParts> PartsOf(const wchar_t* url) { return url ? ParseHttpUrl(url) : std::nullopt; }

// Reads the body into the file in 512-byte chunks, with progress when a window is given;
// `total` is what arrived.
bool ReceiveToFile(HttpHandleStore& store, const wchar_t* path, DWORD length, HWND progress, DWORD& total) {
    if (!store.AdoptFile(::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)))
        return false;

    total = 0;
    bool complete = true;
    for (;;) {
        char chunk[kReadChunk];
        DWORD got = 0;
        const HINTERNET request = store.RequestForBlockingCall();
        if (!request || !::InternetReadFile(request, chunk, kReadChunk, &got)) break;
        // A failed write (disk full, cancelled) must not pass for a complete download.
        if (!store.Write(chunk, got)) {
            complete = false;
            break;
        }
        total += got;
        if (progress && length != 0) store.SendProgress(progress, DownloadPercent(total, length));
        DWORD position = 0;
        store.UseRequest([&](HINTERNET r) {
            position = ::InternetSetFilePointer(r, static_cast<LONG>(total), nullptr, FILE_BEGIN, 0);
            return true;
        });
        if (position == 0 || got == 0) break;
    }
    store.CloseFile();
    return complete && !store.IsCancelled() && total >= length;
}

// The request and its answer's status, told to the log; false when no answer came.
bool Request(const HttpUrlParts& parts, HttpHandleStore& store, NetworkUse& use) {
    DWORD error = 0;
    if (HttpGet(parts, store, &error)) return true;
    use.Failed(error);
    return false;
}

bool GetToFile(const wchar_t* url, const wchar_t* path, HWND progress, HttpHandleStore& store, DWORD maxBytes = 0) {
    NetworkUse use(url);
    const std::optional<HttpUrlParts> parts = PartsOf(url);
    if (!parts || !path) {
        use.Refused();
        return false;
    }
    DWORD length = 0;
    DWORD total = 0;
    bool ok = Request(*parts, store, use);
    if (ok) {
        const DWORD status = HttpStatus(store);
        if (!ReadAnnouncedLength(store, length)) {
            use.Answered(status, L"no length announced");
            ok = false;
        } else if (maxBytes != 0 && length > maxBytes) {
            use.Answered(status, std::to_wstring(length) + L" bytes announced, more than " + std::to_wstring(maxBytes));
            ok = false;
        } else {
            ok = ReceiveToFile(store, path, length, progress, total);
            use.Answered(status, store.IsCancelled() ? L"cancelled"
                                 : ok ? std::to_wstring(total) + L" bytes"
                                      : L"cut short: " + std::to_wstring(total) + L" of " + std::to_wstring(length) + L" bytes");
        }
    }
    store.CloseInternet();
    return ok;
}
}  // namespace

bool HttpPing(const wchar_t* url) {
    NetworkUse use(url);
    DWORD error = 0;
    bool sent = false;
    if (const std::optional<HttpUrlParts> parts = PartsOf(url)) {
        HttpHandleStore store;
        sent = HttpGet(*parts, store, &error);
        if (sent) {
            use.Answered(HttpStatus(store), L"");
        } else {
            use.Failed(error);
        }
        store.CloseInternet();
    } else {
        use.Refused();
    }
    ::SetLastError(sent ? 0 : error);
    return sent;
}

bool HttpGetToFile(const wchar_t* url, const wchar_t* path, DWORD maxBytes) {
    HttpHandleStore store;
    return GetToFile(url, path, nullptr, store, maxBytes);
}

bool HttpGetToFileWithProgress(const wchar_t* url, const wchar_t* path, HWND progress, HttpHandleStore& store) {
    return GetToFile(url, path, progress, store);
}

bool HttpGetText(const wchar_t* url, wchar_t (&text)[kHttpTextLimit]) {
    std::fill(std::begin(text), std::end(text), L'\0');
    NetworkUse use(url);
    const std::optional<HttpUrlParts> parts = PartsOf(url);
    if (!parts) {
        use.Refused();
        return false;
    }
    HttpHandleStore store;
    DWORD length = 0;
    if (!Request(*parts, store, use)) return false;
    const DWORD status = HttpStatus(store);
    if (!ReadAnnouncedLength(store, length) || length >= kHttpTextLimit) {
        use.Answered(status, length >= kHttpTextLimit ? L"too long a text" : L"no length announced");
        return false;
    }

    char body[kHttpTextLimit];
    DWORD got = 0;
    // One read of exactly the announced length; fewer bytes mean the body was cut short.
    if (!::InternetReadFile(store.RequestForBlockingCall(), body, length, &got) || got != length) {
        use.Answered(status, L"cut short: " + std::to_wstring(got) + L" of " + std::to_wstring(length) + L" bytes");
        return false;
    }
    use.Answered(status, std::to_wstring(length) + L" bytes");
    if (length == 0) return true;
    // At most 1023 characters come out of 1023 bytes, so the last one stays the terminator.
    return ::MultiByteToWideChar(CP_ACP, 0, body, static_cast<int>(length), text, kHttpTextLimit - 1) > 0;
}
