#pragma once
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace httplib { struct Request; struct Response; }

// Misbehaviours a test puts on one path of the main listener (or on the whole
// connection-check listener) to see how a network use of the launcher copes
// when the service fails it. The path's own answer is what gets misshapen.
enum class Fault {
    None,
    Down,         // the connection closes at once, before any answer
    NotFound,     // 404
    ServerError,  // 500
    NoLength,     // the answer without Content-Length, ended by closing the connection
    Chunked,      // the answer in chunked transfer coding
    Short,        // half the announced body, then the connection closes
    Trickle,      // the headers, then one byte of the body per gap (longer than a time-out)
    Hang,         // the request is taken and never answered while the fault stands
    Drop,         // half the body, then the connection is reset
};

bool ParseFault(const std::string& text, Fault& fault);
const char* ToString(Fault fault);

// The path of the main listener, or this name for the connection-check listener.
extern const char kCheckListenerFaultKey[];

class FaultTable {
public:
    // Fault::None removes the path's fault.
    void Set(const std::string& key, Fault fault);
    void Clear();
    Fault For(const std::string& key) const;
    void SetTrickleGapMs(int ms);
    int TrickleGapMs() const;
    std::string ToJson() const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, Fault> m_faults;
    int m_trickleGapMs = 7000;
};

// What the path answers when it behaves.
struct PlainAnswer {
    int status = 200;
    std::string contentType = "text/plain";
    std::string body;
};

// Answers req with `fault` (not None) applied to the path's own answer, which
// `realAnswer` produces when the fault needs it. A hang lasts while `stands`
// says the fault is still set and the service is not stopping.
// The service asks itself for a path's own answer with this header; such a request is
// neither recorded nor faulted.
extern const char kOwnAnswerHeader[];
PlainAnswer FetchOwnAnswer(int port, const std::string& target);

void AnswerWithFault(Fault fault, const httplib::Request& req, httplib::Response& res,
                     const std::function<PlainAnswer()>& realAnswer,
                     const std::function<bool()>& stands, int trickleGapMs,
                     const std::atomic<bool>& stopping);
