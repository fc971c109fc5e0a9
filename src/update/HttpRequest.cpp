#include "update/HttpRequest.h"

#include <atomic>
#include <cstring>
#include <cwchar>
#include <string>

namespace {
const wchar_t kAgent[] = L"Jorv";
// The blank before the first line break is part of what the operator's servers have always received.
const wchar_t kHeaders[] = L"Accept-Language: zh-cn \r\nContent-Type: application/x-www-form-urlencoded\r\n";
const DWORD kHeadersLength = static_cast<DWORD>(sizeof(kHeaders) / sizeof(kHeaders[0]) - 1);

std::atomic<DWORD> g_connectMs{HttpTimeouts{}.connectMs};
std::atomic<DWORD> g_sendMs{HttpTimeouts{}.sendMs};
std::atomic<DWORD> g_receiveMs{HttpTimeouts{}.receiveMs};

// The platform's defaults are long or unlimited. Set on the root for the connection and
// again on the request: Wine keeps the send and receive time-outs of a request only.
bool SetTimeouts(HINTERNET handle) {
    const HttpTimeouts t = CurrentHttpTimeouts();
    DWORD connect = t.connectMs, send = t.sendMs, receive = t.receiveMs;
    return ::InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect)) &&
           ::InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &send, sizeof(send)) &&
           ::InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof(receive));
}
}  // namespace

HttpTimeouts CurrentHttpTimeouts() { return {g_connectMs.load(), g_sendMs.load(), g_receiveMs.load()}; }

void SetHttpTimeouts(const HttpTimeouts& timeouts) {
    g_connectMs = timeouts.connectMs;
    g_sendMs = timeouts.sendMs;
    g_receiveMs = timeouts.receiveMs;
}

bool HttpGet(const HttpUrlParts& url, HttpHandleStore& store, DWORD* failedStepError) {
    DWORD error = 0;
    const auto done = [&](bool ok) {
        if (failedStepError) *failedStepError = ok ? 0 : error;
        return ok;
    };

    if (!store.AdoptRoot(::InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)))
        return done(false);
    // Without its time-outs a request could wait for minutes: better not to make it.
    if (!store.UseRoot(SetTimeouts)) return done(false);

    HINTERNET connection = nullptr;
    store.UseRoot([&](HINTERNET root) {
        connection = ::InternetConnectW(root, url.host.c_str(), url.port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
        if (!connection) error = ::GetLastError();
        return connection != nullptr;
    });
    if (!store.AdoptConnection(connection)) return done(false);

    // WinINet would put a relative object into the request line as it is; servers expect
    // an absolute path.
    const std::wstring path = L"/" + url.object;
    HINTERNET request = nullptr;
    store.UseConnection([&](HINTERNET opened) {
        request = ::HttpOpenRequestW(opened, L"GET", path.c_str(), L"HTTP/1.1", nullptr, nullptr, INTERNET_FLAG_RELOAD, 0);
        return request != nullptr;
    });
    if (!store.AdoptRequest(request) || !store.UseRequest(SetTimeouts)) {
        error = 0;  // only a failed connection or send step is reported
        return done(false);
    }

    HINTERNET sending = store.RequestForBlockingCall();
    if (!sending) return done(false);
    if (!::HttpSendRequestW(sending, kHeaders, kHeadersLength, nullptr, 0)) {
        error = ::GetLastError();
        return done(false);
    }
    return done(true);
}

DWORD HttpStatus(HttpHandleStore& store) {
    DWORD status = 0;
    store.UseRequest([&](HINTERNET request) {
        DWORD size = sizeof(status);
        return ::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) != FALSE;
    });
    return status;
}

bool ReadAnnouncedLength(HttpHandleStore& store, DWORD& length) {
    return store.UseRequest([&](HINTERNET request) {
        // One 32-byte buffer for both answers: the status as text, then the length as a number.
        alignas(DWORD) wchar_t buffer[16] = {};
        DWORD size = sizeof(buffer);
        if (!::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE, buffer, &size, nullptr)) return false;
        buffer[15] = L'\0';
        if (std::wcstol(buffer, nullptr, 10) == 404) return false;

        // The number goes into the same buffer, announced as one DWORD: Windows accepts a
        // larger size too, Wine refuses any other size.
        std::memset(buffer, 0, sizeof(buffer));
        size = sizeof(DWORD);
        if (!::HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, buffer, &size, nullptr) ||
            size != sizeof(DWORD))
            return false;
        std::memcpy(&length, buffer, sizeof(DWORD));
        return true;
    });
}
