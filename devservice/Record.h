#pragma once
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// One request as the main listener received it.
struct RecordedRequest {
    uint64_t seq = 0;       // 1, 2, 3 ... over the service's life (not reset)
    int64_t timeMs = 0;     // milliseconds since the service started
    std::string method;
    std::string target;     // the request target exactly as sent (path and query)
    std::string path;       // the path as decoded by the server
    std::string query;      // the text after the first "?" of the target, undecoded
    std::string version;    // e.g. "HTTP/1.1"
    std::vector<std::pair<std::string, std::string>> headers;
    std::string remoteAddr;
    int remotePort = -1;

    std::string RequestLine() const { return method + " " + target + " " + version; }
    std::string ToJson() const;
};

// The in-memory record of every request, in the order received. Thread safe.
class RequestRecord {
public:
    RequestRecord();

    void Add(RecordedRequest r);
    void Clear();

    // Requests with seq > since whose path equals pathFilter (all when empty).
    std::vector<RecordedRequest> Snapshot(uint64_t since = 0,
                                          const std::string& pathFilter = "") const;

    // One JSON object per line.
    std::string ToJsonLines(uint64_t since = 0, const std::string& pathFilter = "") const;

private:
    mutable std::mutex m_mutex;
    std::vector<RecordedRequest> m_entries;
    uint64_t m_nextSeq = 1;
    std::chrono::steady_clock::time_point m_start;
};
