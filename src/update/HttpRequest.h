// The one HTTP request every network use of the launcher makes, and the checks of its answer.
#pragma once
#include "base/Config.h"
#include "update/HttpHandleStore.h"
#include "update/rules/HttpUrl.h"

// How long one request may wait: for the connection, for the request to go out, and for
// the next byte of the answer. A server that accepts and never answers must not hold
// start-up or a report for longer.
struct HttpTimeouts {
    DWORD connectMs = config::kConnectTimeoutMs;
    DWORD sendMs = config::kTransferTimeoutMs;
    DWORD receiveMs = config::kTransferTimeoutMs;
};
HttpTimeouts CurrentHttpTimeouts();
// Tests shorten them so that a request to a silent server ends in seconds.
void SetHttpTimeouts(const HttpTimeouts& timeouts);

// Opens root, connection and request into the store and sends a GET for "/" + object with
// agent "Jorv", the system's proxy settings, the fixed request headers and no cache. True
// when the answer's headers have arrived. failedStepError receives the error of a failed
// connection or send step and 0 in every other case.
bool HttpGet(const HttpUrlParts& url, HttpHandleStore& store, DWORD* failedStepError = nullptr);

// After HttpGet: the answer's status code (0 when it cannot be read).
DWORD HttpStatus(HttpHandleStore& store);

// After HttpGet: true when the status is not 404 and the answer announces its length in a
// Content-Length header, which goes to length.
bool ReadAnnouncedLength(HttpHandleStore& store, DWORD& length);
