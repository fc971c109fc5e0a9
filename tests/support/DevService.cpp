#include "support/DevService.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace devservice {

int Port() { return QH_DEV_PORT; }

// Plain sockets rather than the launcher's HTTP code, so a fault there cannot hide here.
std::string Request(const std::string& method, const std::string& pathAndQuery, const std::string& content) {
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return {};
    std::string body;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<u_short>(Port()));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s != INVALID_SOCKET && ::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0) {
        std::string request = method + " " + pathAndQuery + " HTTP/1.0\r\nHost: 127.0.0.1\r\n";
        if (!content.empty() || method == "POST") {
            request +=
                "Content-Type: application/octet-stream\r\nContent-Length: " + std::to_string(content.size()) + "\r\n";
        }
        request += "\r\n" + content;
        for (size_t sent = 0; sent < request.size();) {
            const int n = ::send(s, request.data() + sent, static_cast<int>(request.size() - sent), 0);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        std::string response;
        char buffer[4096];
        int n;
        while ((n = ::recv(s, buffer, sizeof(buffer), 0)) > 0) response.append(buffer, static_cast<size_t>(n));
        const size_t headerEnd = response.find("\r\n\r\n");
        if (headerEnd != std::string::npos) body = response.substr(headerEnd + 4);
    }
    if (s != INVALID_SOCKET) ::closesocket(s);
    ::WSACleanup();
    return body;
}

std::string Get(const std::string& pathAndQuery) { return Request("GET", pathAndQuery, std::string()); }

bool SetNetworkUp(bool up) { return !Get(up ? "/__control/network?up=1" : "/__control/network?up=0").empty(); }

std::string Requests() { return Get("/__control/requests"); }

void ResetRequests() { Get("/__control/reset"); }

bool SetFault(const std::string& path, const std::string& mode) {
    const std::string where = path == "check" ? "listener=check" : "path=" + path;
    // The state comes back as JSON; a refusal is plain text.
    return Get("/__control/fault?" + where + "&mode=" + mode).rfind('{', 0) == 0;
}

void ClearFaults() { Get("/__control/fault?clear=1"); }

}  // namespace devservice
