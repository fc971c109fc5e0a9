#include "Record.h"

#include "Text.h"

std::string RecordedRequest::ToJson() const
{
    std::string j = "{\"seq\":" + std::to_string(seq);
    j += ",\"time_ms\":" + std::to_string(timeMs);
    j += ",\"method\":" + JsonString(method);
    j += ",\"target\":" + JsonString(target);
    j += ",\"path\":" + JsonString(path);
    j += ",\"query\":" + JsonString(query);
    j += ",\"version\":" + JsonString(version);
    j += ",\"request_line\":" + JsonString(RequestLine());
    j += ",\"remote\":" + JsonString(remoteAddr + ":" + std::to_string(remotePort));
    // Headers as an object (what tests look up) and as a list (keeps repeats).
    j += ",\"headers\":{";
    bool first = true;
    for (size_t i = 0; i < headers.size(); ++i) {
        bool repeated = false;
        for (size_t k = 0; k < i; ++k)
            if (headers[k].first == headers[i].first) repeated = true;
        if (repeated) continue;
        std::string value = headers[i].second;
        for (size_t k = i + 1; k < headers.size(); ++k)
            if (headers[k].first == headers[i].first) value += ", " + headers[k].second;
        if (!first) j += ',';
        first = false;
        j += JsonString(headers[i].first) + ":" + JsonString(value);
    }
    j += "},\"header_list\":[";
    for (size_t i = 0; i < headers.size(); ++i) {
        if (i) j += ',';
        j += "[" + JsonString(headers[i].first) + "," + JsonString(headers[i].second) + "]";
    }
    j += "]}";
    return j;
}

RequestRecord::RequestRecord() : m_start(std::chrono::steady_clock::now()) {}

void RequestRecord::Add(RecordedRequest r)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    r.seq = m_nextSeq++;
    r.timeMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - m_start)
                   .count();
    m_entries.push_back(std::move(r));
}

void RequestRecord::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
}

std::vector<RecordedRequest> RequestRecord::Snapshot(uint64_t since,
                                                     const std::string& pathFilter) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<RecordedRequest> out;
    for (const auto& e : m_entries)
        if (e.seq > since && (pathFilter.empty() || e.path == pathFilter)) out.push_back(e);
    return out;
}

std::string RequestRecord::ToJsonLines(uint64_t since, const std::string& pathFilter) const
{
    std::string out;
    for (const auto& e : Snapshot(since, pathFilter)) out += e.ToJson() + "\n";
    return out;
}
