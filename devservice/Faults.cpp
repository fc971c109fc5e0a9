#include "Faults.h"

#include <httplib.h>

#include <chrono>
#include <memory>
#include <thread>

#include "Respond.h"
#include "Socket.h"
#include "Text.h"

const char kCheckListenerFaultKey[] = "check";
const char kOwnAnswerHeader[] = "X-Devservice-Own-Answer";

namespace {

struct FaultName {
    Fault fault;
    const char* name;
};
const FaultName kFaultNames[] = {
    {Fault::None, "none"},       {Fault::Down, "down"},         {Fault::NotFound, "404"},
    {Fault::ServerError, "500"}, {Fault::NoLength, "nolength"}, {Fault::Chunked, "chunked"},
    {Fault::Short, "short"},     {Fault::Trickle, "trickle"},   {Fault::Hang, "hang"},
    {Fault::Drop, "drop"},
};

// Sends the first half of the body under the full Content-Length; then `cut` ends
// the connection.
void SendHalf(httplib::Response& res, const PlainAnswer& real, std::function<void()> cut)
{
    auto body = std::make_shared<const std::string>(real.body);
    const size_t half = body->size() / 2;
    res.status = real.status;
    res.set_content_provider(body->size(), real.contentType,
                             [body, half, cut](size_t offset, size_t, httplib::DataSink& sink) {
                                 if (offset < half) return sink.write(body->data() + offset, half - offset);
                                 cut();
                                 return false;
                             });
}

} // namespace

bool ParseFault(const std::string& text, Fault& fault)
{
    for (const FaultName& f : kFaultNames) {
        if (text == f.name) {
            fault = f.fault;
            return true;
        }
    }
    return false;
}

const char* ToString(Fault fault)
{
    for (const FaultName& f : kFaultNames)
        if (f.fault == fault) return f.name;
    return "none";
}

void FaultTable::Set(const std::string& key, Fault fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (fault == Fault::None)
        m_faults.erase(key);
    else
        m_faults[key] = fault;
}

void FaultTable::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
}

Fault FaultTable::For(const std::string& key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_faults.find(key);
    return it == m_faults.end() ? Fault::None : it->second;
}

void FaultTable::SetTrickleGapMs(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_trickleGapMs = ms;
}

int FaultTable::TrickleGapMs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_trickleGapMs;
}

std::string FaultTable::ToJson() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string j = "{";
    for (const auto& f : m_faults) {
        if (j.size() > 1) j += ",";
        j += JsonString(f.first) + ":" + JsonString(ToString(f.second));
    }
    return j + "}";
}

PlainAnswer FetchOwnAnswer(int port, const std::string& target)
{
    httplib::Client self("127.0.0.1", port);
    self.set_read_timeout(30, 0);
    PlainAnswer answer;
    auto got = self.Get(target.c_str(), httplib::Headers{{kOwnAnswerHeader, "1"}});
    if (!got) {
        answer.status = 502;
        answer.body = "the service could not reach itself\n";
        return answer;
    }
    answer.status = got->status;
    answer.contentType = got->get_header_value("Content-Type");
    answer.body = got->body;
    return answer;
}

void AnswerWithFault(Fault fault, const httplib::Request& req, httplib::Response& res,
                     const std::function<PlainAnswer()>& realAnswer,
                     const std::function<bool()>& stands, int trickleGapMs,
                     const std::atomic<bool>& stopping)
{
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Down:
        DropConnection(req, res);
        return;
    case Fault::NotFound:
        SendBody(res, 404, "404 Not Found\n", "text/plain");
        return;
    case Fault::ServerError:
        SendBody(res, 500, "500 Internal Server Error\n", "text/plain");
        return;
    case Fault::Hang:
        while (!stopping && stands()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        DropConnection(req, res);
        return;
    default:
        break;
    }

    const PlainAnswer real = realAnswer();
    auto body = std::make_shared<const std::string>(real.body);
    res.status = real.status;
    const int localPort = req.local_port, remotePort = req.remote_port;
    switch (fault) {
    case Fault::NoLength:
        res.set_content_provider(real.contentType, [body](size_t offset, httplib::DataSink& sink) {
            if (offset < body->size()) return sink.write(body->data() + offset, body->size() - offset);
            sink.done();
            return true;
        });
        return;
    case Fault::Chunked:
        // Three chunks (or fewer for a tiny body), so that a client reading only the first misses some.
        res.set_chunked_content_provider(real.contentType, [body](size_t offset, httplib::DataSink& sink) {
            if (offset >= body->size()) {
                sink.done();
                return true;
            }
            const size_t piece = body->size() / 3 + 1;
            return sink.write(body->data() + offset, std::min(piece, body->size() - offset));
        });
        return;
    case Fault::Short:
        SendHalf(res, real, [=] { ShutdownConnection(localPort, remotePort); });
        return;
    case Fault::Drop:
        SendHalf(res, real, [=] { ResetConnection(localPort, remotePort); });
        return;
    case Fault::Trickle: {
        const std::atomic<bool>* stop = &stopping;
        res.set_content_provider(body->size(), real.contentType,
                                 [body, trickleGapMs, stop](size_t offset, size_t, httplib::DataSink& sink) {
                                     if (offset > 0) PauseUnlessStopping(trickleGapMs, *stop);
                                     if (*stop) return false;
                                     return sink.write(body->data() + offset, 1);
                                 });
        return;
    }
    default:
        return;
    }
}
