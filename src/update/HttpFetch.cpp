#include "update/HttpFetch.h"

#include "update/HttpRequest.h"
#include "update/rules/DownloadProgress.h"
#include "update/rules/HttpUrl.h"

#include <algorithm>
#include <optional>

namespace {
const DWORD kReadChunk = 512;

// Only plain HTTP, read exactly as every check of an address reads it.
std::optional<HttpUrlParts> PartsOf(const wchar_t* url) { return url ? ParseHttpUrl(url) : std::nullopt; }

// Reads the body into the file in 512-byte chunks, with progress when a window is given.
bool ReceiveToFile(HttpHandleStore& store, const wchar_t* path, DWORD length, HWND progress) {
    if (!store.AdoptFile(::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)))
        return false;

    DWORD total = 0;
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

bool GetToFile(const wchar_t* url, const wchar_t* path, HWND progress, HttpHandleStore& store, DWORD maxBytes = 0) {
    const std::optional<HttpUrlParts> parts = PartsOf(url);
    DWORD length = 0;
    const bool ok = parts && path && HttpGet(*parts, store) && ReadAnnouncedLength(store, length) &&
                    (maxBytes == 0 || length <= maxBytes) && ReceiveToFile(store, path, length, progress);
    store.CloseInternet();
    return ok;
}
}  // namespace

bool HttpPing(const wchar_t* url) {
    DWORD error = 0;
    bool sent = false;
    if (const std::optional<HttpUrlParts> parts = PartsOf(url)) {
        HttpHandleStore store;
        sent = HttpGet(*parts, store, &error);
        store.CloseInternet();
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
    const std::optional<HttpUrlParts> parts = PartsOf(url);
    if (!parts) return false;
    HttpHandleStore store;
    DWORD length = 0;
    if (!HttpGet(*parts, store) || !ReadAnnouncedLength(store, length) || length >= kHttpTextLimit) return false;

    char body[kHttpTextLimit];
    DWORD got = 0;
    // One read of exactly the announced length; fewer bytes mean the body was cut short.
    if (!::InternetReadFile(store.RequestForBlockingCall(), body, length, &got) || got != length) return false;
    if (length == 0) return true;
    // At most 1023 characters come out of 1023 bytes, so the last one stays the terminator.
    return ::MultiByteToWideChar(CP_ACP, 0, body, static_cast<int>(length), text, kHttpTextLimit - 1) > 0;
}
