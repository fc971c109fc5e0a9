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

// The library does not hand the socket to handlers; the connection is found by its
// two ports among this process's descriptors. -1 when there is none.
int FindConnection(int localPort, int remotePort)
{
    DIR* dir = opendir("/proc/self/fd");
    if (!dir) return -1;
    int found = -1;
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
            found = static_cast<int>(fd);
            break;
        }
    }
    closedir(dir);
    return found;
}

} // namespace

bool ShutdownConnection(int localPort, int remotePort)
{
    const int fd = FindConnection(localPort, remotePort);
    if (fd < 0) return false;
    shutdown(fd, SHUT_RDWR);
    return true;
}

bool ResetConnection(int localPort, int remotePort)
{
    const int fd = FindConnection(localPort, remotePort);
    if (fd < 0) return false;
    // Connecting an established TCP socket to "no address" disconnects it with a reset
    // while the descriptor stays valid for the library to close.
    sockaddr none{};
    none.sa_family = AF_UNSPEC;
    return connect(fd, &none, sizeof none) == 0;
}

void ExclusiveListenerOptions(int sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}
