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
inline constexpr std::size_t kHttpSchemeLength = 7;  // "http://"

struct HttpUrlParts {
    std::wstring host;
    unsigned short port = 80;  // 0 lets the connection use the service's default, 80
    std::wstring object;       // everything after the first "/" behind the host, without it
};

// text is the address after its "http://". The host part ends at the first "/"; a ":" in
// it starts the port (leading decimal digits, none give 0). Refused: an empty host, a host
// or object longer than the request buffers, a port above 65535.
std::optional<HttpUrlParts> SplitHttpUrl(const std::wstring& text);

// Whether url begins with "http://" in any letter case.
bool HasHttpScheme(const std::wstring& url);

// Whether an address a page or a notice supplies may go to the shell: "http://" or
// "https://" (any letter case) followed by something. Anything else could name a local file
// or a program.
bool IsWebAddress(const std::wstring& url);

// Whether an http:// address points at one of the domains: its host (without user-info and
// port) equals a domain or lies under it, letter case aside. A domain mentioned anywhere
// else in the address does not count, nor does a host with characters no host name has.
bool IsOperatorUrl(const std::wstring& url, const std::vector<std::wstring>& domains);

// The same host rule for a page's address, which may also be secure: "http://" or
// "https://" in any letter case.
bool IsOperatorPageUrl(const std::wstring& url, const std::vector<std::wstring>& domains);
