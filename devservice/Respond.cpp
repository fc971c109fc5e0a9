#include "Respond.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "Socket.h"

ByteSource StringSource(std::shared_ptr<const std::string> bytes)
{
    return [bytes](size_t offset, size_t n, char* out) {
        std::copy_n(bytes->data() + offset, n, out);
    };
}

ByteSource PatternSource()
{
    return [](size_t offset, size_t n, char* out) {
        unsigned v = static_cast<unsigned>(offset % 251);
        for (size_t i = 0; i < n; ++i) {
            out[i] = static_cast<char>(v);
            if (++v == 251) v = 0;
        }
    };
}

ByteSource TextSource()
{
    return [](size_t offset, size_t n, char* out) {
        for (size_t i = 0; i < n; ++i) {
            size_t k = offset + i;
            out[i] = (k % 64 == 63) ? '\n' : static_cast<char>('a' + (k % 64) % 26);
        }
    };
}

std::string TextBody(size_t n)
{
    std::string s(n, '\0');
    if (n) TextSource()(0, n, &s[0]);
    return s;
}

void PauseUnlessStopping(int ms, const std::atomic<bool>& stopping)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopping && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
}

void SendBody(httplib::Response& res, int status, std::string body,
              const std::string& contentType)
{
    // A provider with a known length is always sent as is with Content-Length;
    // set_content would be compressed for a client that accepts gzip.
    res.status = status;
    auto shared = std::make_shared<const std::string>(std::move(body));
    if (shared->empty()) {
        res.set_content(std::string(), contentType);
        return;
    }
    res.set_content_provider(shared->size(), contentType,
                             [shared](size_t offset, size_t length, httplib::DataSink& sink) {
                                 return sink.write(shared->data() + offset, length);
                             });
}

void SendStream(httplib::Response& res, size_t length, ByteSource source, size_t piece,
                int pauseMs, const std::atomic<bool>& stopping, const std::string& contentType)
{
    if (piece == 0) piece = 1;
    const std::atomic<bool>* stop = &stopping;
    res.set_content_provider(
        length, contentType,
        [source, piece, pauseMs, stop](size_t offset, size_t remaining, httplib::DataSink& sink) {
            if (offset > 0 && pauseMs > 0) PauseUnlessStopping(pauseMs, *stop);
            if (stop->load()) return false;
            size_t n = std::min(piece, remaining);
            std::vector<char> buf(n);
            source(offset, n, buf.data());
            return sink.write(buf.data(), n);
        });
}

void SendShort(const httplib::Request& req, httplib::Response& res, size_t announced,
               size_t sent, ByteSource source, const std::string& contentType)
{
    int localPort = req.local_port;
    int remotePort = req.remote_port;
    res.set_content_provider(
        announced, contentType,
        [=](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset < sent) {
                size_t n = std::min<size_t>(sent - offset, 64 * 1024);
                std::vector<char> buf(n);
                source(offset, n, buf.data());
                return sink.write(buf.data(), n);
            }
            // Returning false alone ends the response; shutting the socket down
            // as well makes sure the client sees the close now, not at a time-out.
            ShutdownConnection(localPort, remotePort);
            return false;
        });
}

void DropConnection(const httplib::Request& req, httplib::Response& res)
{
    ShutdownConnection(req.local_port, req.remote_port);
    // Whatever the library then tries to write fails on the closed socket.
    res.status = 200;
}
