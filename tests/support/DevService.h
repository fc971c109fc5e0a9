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
// Puts a misbehaviour ("down", "404", "500", "nolength", "chunked", "short", "trickle",
// "hang", "drop"; "none" lifts it) on one path, or on the check listener for path "check".
bool SetFault(const std::string& path, const std::string& mode);
void ClearFaults();
}  // namespace devservice

// Lifts every fault when the scope ends, whatever the test did in between.
class FaultsClearedAfterwards {
public:
    FaultsClearedAfterwards() = default;
    ~FaultsClearedAfterwards() { devservice::ClearFaults(); }
    FaultsClearedAfterwards(const FaultsClearedAfterwards&) = delete;
    FaultsClearedAfterwards& operator=(const FaultsClearedAfterwards&) = delete;
};

// Takes the network down for the scope's life and brings it back afterwards.
class NetworkDownScope {
public:
    NetworkDownScope() { devservice::SetNetworkUp(false); }
    ~NetworkDownScope() { devservice::SetNetworkUp(true); }
    NetworkDownScope(const NetworkDownScope&) = delete;
    NetworkDownScope& operator=(const NetworkDownScope&) = delete;
};
