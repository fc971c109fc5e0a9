#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace httplib { struct Request; struct Response; }

// Ways of answering that the launcher's HTTP client is tested against.

// Produces `n` bytes of a body starting at `offset` into `out`.
using ByteSource = std::function<void(size_t offset, size_t n, char* out)>;

ByteSource StringSource(std::shared_ptr<const std::string> bytes);
// Byte i of the body is i % 251: deterministic, cheap, and not periodic at any
// power of two, so a misplaced chunk shows.
ByteSource PatternSource();
// Printable ASCII: lower-case letters with a line break after every 63rd.
ByteSource TextSource();
std::string TextBody(size_t n);

// Sleeps for ms milliseconds, in short steps so that the service's shutdown is not held up.
void PauseUnlessStopping(int ms, const std::atomic<bool>& stopping);

// The whole body with an exact Content-Length and no transfer or content coding
// (whatever Accept-Encoding the request carried).
void SendBody(httplib::Response& res, int status, std::string body,
              const std::string& contentType);

// Content-Length `length`; the body streamed from `source` in pieces of at most
// `piece` bytes with `pauseMs` between pieces. Ends early when the client goes
// away or the service stops.
void SendStream(httplib::Response& res, size_t length, ByteSource source, size_t piece,
                int pauseMs, const std::atomic<bool>& stopping,
                const std::string& contentType = "application/octet-stream");

// Announces `announced` bytes, sends the first `sent` of them, then ends the
// connection, so that the client sees a short body followed by a close.
void SendShort(const httplib::Request& req, httplib::Response& res, size_t announced,
               size_t sent, ByteSource source,
               const std::string& contentType = "application/octet-stream");

// Ends the connection at once without any response.
void DropConnection(const httplib::Request& req, httplib::Response& res);
