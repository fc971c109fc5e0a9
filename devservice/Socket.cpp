#include "Socket.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>
#include <string>

namespace {

int PortOf(const sockaddr_storage& a)
{
    if (a.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in&>(a).sin_port);
    if (a.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(a).sin6_port);
    return -1;
}

} // namespace

bool ShutdownConnection(int localPort, int remotePort)
{
    // The library does not hand the socket to handlers; the connection is found
    // by its two ports among this process's descriptors.
    DIR* dir = opendir("/proc/self/fd");
    if (!dir) return false;
    bool found = false;
    while (dirent* e = readdir(dir)) {
        char* end = nullptr;
        long fd = std::strtol(e->d_name, &end, 10);
        if (*end != '\0' || end == e->d_name) continue;
        sockaddr_storage local{}, peer{};
        socklen_t len = sizeof local;
        if (getsockname(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&local), &len) != 0)
            continue;
        len = sizeof peer;
        if (getpeername(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&peer), &len) != 0)
            continue;
        if (PortOf(local) == localPort && PortOf(peer) == remotePort) {
            shutdown(static_cast<int>(fd), SHUT_RDWR);
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

void ExclusiveListenerOptions(int sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}
