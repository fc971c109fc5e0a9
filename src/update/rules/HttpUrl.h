// Plain-HTTP addresses: how one is cut into the pieces a request needs, and whether it
// points at one of the operator's hosts.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The request buffers of the fetch hold a host of 259 and an object of 511 characters.
inline constexpr std::size_t kMaxHttpHostLength = 259;
inline constexpr std::size_t kMaxHttpObjectLength = 511;

struct HttpUrlParts {
    std::wstring host;
    unsigned short port = 80;
    std::wstring object;  // everything after the first "/" behind the host, without it
    bool secure = false;  // "https://"
};

// The one reading of an address that the launcher fetches or judges, the same for the
// connection and for every check, so the two can never disagree about the host: "http://" in
// any letter case, then up to the first "/" the host and optionally ":" with the port's
// digits (1 to 65535); the rest is the object. Refused: user info ("@": the connection and a
// reader would see different hosts), a host with any character but letters, digits, "-",
// "_" and ".", an empty host, a port that is empty, not all digits or out of range, and a host
// or object longer than the request buffers.
std::optional<HttpUrlParts> ParseHttpUrl(const std::wstring& url);
// The same for a page's address, which may also be secure ("https://", default port 443).
std::optional<HttpUrlParts> ParsePageUrl(const std::wstring& url);

// Whether an address a page or a notice supplies may go to the shell: "http://" or
// "https://" (any letter case) followed by something. Anything else could name a local file
// or a program.
bool IsWebAddress(const std::wstring& url);

// Whether an address ParseHttpUrl takes points at one of the domains: its host equals a
// domain or lies under it (on a label boundary), letter case aside.
bool IsOperatorUrl(const std::wstring& url, const std::vector<std::wstring>& domains);
// The same for a page's address (ParsePageUrl).
bool IsOperatorPageUrl(const std::wstring& url, const std::vector<std::wstring>& domains);
// Whether the host (as ParseHttpUrl gives it) is one of the domains or under one.
bool IsOperatorHost(const std::wstring& host, const std::vector<std::wstring>& domains);
