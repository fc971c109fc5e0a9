// Endpoints that answer the way the client's HTTP fetch must cope with: error
// statuses, no Content-Length, a body shorter than announced, a dropped
// connection, a slow body, bodies of sizes on either side of a limit, and large
// bodies for throughput measurements.
#include <httplib.h>

#include <chrono>
#include <thread>

#include "Respond.h"
#include "Service.h"
#include "Text.h"

namespace {

const unsigned long long kMaxSized = 64ull * 1024 * 1024;

// Reads an optional numeric parameter; false (after answering 400) when malformed.
bool Param(const httplib::Request& req, httplib::Response& res, const char* name,
           unsigned long long max, unsigned long long& value)
{
    if (!req.has_param(name)) return true;
    if (ParseBoundedNumber(req.get_param_value(name), max, value)) return true;
    SendBody(res, 400, std::string("bad parameter: ") + name + "\n", "text/plain");
    return false;
}

} // namespace

void RegisterMisbehaveRoutes(httplib::Server& server, Service& service)
{
    server.Get("/test/404", [](const httplib::Request&, httplib::Response& res) {
        SendBody(res, 404, "test 404 body\n", "text/plain");
    });
    server.Get("/test/500", [](const httplib::Request&, httplib::Response& res) {
        SendBody(res, 500, "test 500 body\n", "text/plain");
    });
    server.Get("/test/status", [](const httplib::Request& req, httplib::Response& res) {
        unsigned long long code = 200;
        if (!Param(req, res, "code", 599, code)) return;
        if (code < 200) return SendBody(res, 400, "bad parameter: code\n", "text/plain");
        SendBody(res, static_cast<int>(code), "test " + std::to_string(code) + " body\n",
                 "text/plain");
    });

    server.Get("/test/chunked", [](const httplib::Request&, httplib::Response& res) {
        static const char* const pieces[] = {"chunk one\n", "chunk two\n", "chunk three\n"};
        res.set_chunked_content_provider(
            "application/octet-stream", [](size_t offset, httplib::DataSink& sink) {
                size_t at = 0;
                for (const char* p : pieces) {
                    std::string s = p;
                    if (offset == at) return sink.write(s.data(), s.size());
                    at += s.size();
                }
                sink.done();
                return true;
            });
    });

    server.Get("/test/short", [](const httplib::Request& req, httplib::Response& res) {
        SendShort(req, res, 1000, 300, TextSource(), "text/plain");
    });

    server.Get("/test/drop", [](const httplib::Request& req, httplib::Response& res) {
        DropConnection(req, res);
    });

    // Takes the request and never answers, until the service stops: what only the
    // client's own time-outs can end.
    server.Get("/test/hang", [&service](const httplib::Request& req, httplib::Response& res) {
        while (!service.stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        DropConnection(req, res);
    });

    server.Get("/test/slow", [&service](const httplib::Request& req, httplib::Response& res) {
        unsigned long long bytes = 64 * 1024, ms = 100, piece = 1024;
        if (!Param(req, res, "bytes", kMaxSized, bytes) || !Param(req, res, "ms", 60000, ms) ||
            !Param(req, res, "piece", 1024 * 1024, piece))
            return;
        if (piece == 0) return SendBody(res, 400, "bad parameter: piece\n", "text/plain");
        SendStream(res, bytes, PatternSource(), piece, static_cast<int>(ms), service.stopping());
    });

    // Answers only after a pause: a request that is certainly still running for a while.
    server.Get("/test/late", [&service](const httplib::Request& req, httplib::Response& res) {
        unsigned long long ms = 1000;
        if (!Param(req, res, "ms", 60000, ms)) return;
        PauseUnlessStopping(static_cast<int>(ms), service.stopping());
        SendBody(res, 200, "late\n", "text/plain");
    });

    server.Get("/test/text1023", [](const httplib::Request&, httplib::Response& res) {
        SendBody(res, 200, TextBody(1023), "text/plain");
    });
    server.Get("/test/text1024", [](const httplib::Request&, httplib::Response& res) {
        SendBody(res, 200, TextBody(1024), "text/plain");
    });
    server.Get("/test/text", [](const httplib::Request& req, httplib::Response& res) {
        unsigned long long bytes = 1024;
        if (!Param(req, res, "bytes", 1024 * 1024, bytes)) return;
        SendBody(res, 200, TextBody(bytes), "text/plain");
    });

    server.Get("/test/sized", [&service](const httplib::Request& req, httplib::Response& res) {
        unsigned long long bytes = 1024 * 1024;
        if (!Param(req, res, "bytes", kMaxSized, bytes)) return;
        SendStream(res, bytes, PatternSource(), 64 * 1024, 0, service.stopping());
    });
}
