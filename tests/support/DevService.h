// Talks to the local dev service's control endpoints from a Windows test.
#pragma once
#include <string>

namespace devservice {
int Port();
// GET of a path on the service; returns the body, empty on failure.
std::string Get(const std::string& pathAndQuery);
// Any method, with a body; returns the answer's body, empty on failure.
std::string Request(const std::string& method, const std::string& pathAndQuery, const std::string& body);
// Brings the service's connection-check listener up or down: the launcher's network check.
bool SetNetworkUp(bool up);
// The requests the service recorded since the last reset, one JSON object per line.
std::string Requests();
void ResetRequests();
}  // namespace devservice

// Takes the network down for the scope's life and brings it back afterwards.
class NetworkDownScope {
public:
    NetworkDownScope() { devservice::SetNetworkUp(false); }
    ~NetworkDownScope() { devservice::SetNetworkUp(true); }
    NetworkDownScope(const NetworkDownScope&) = delete;
    NetworkDownScope& operator=(const NetworkDownScope&) = delete;
};
