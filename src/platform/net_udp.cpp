#include "platform/net_udp.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace {

sockaddr_in toSockaddr(const netAddress& a) {
    sockaddr_in s{};
    s.sin_family = AF_INET;
    s.sin_addr.s_addr = htonl(a.host);
    s.sin_port = htons(a.port);
    return s;
}

netAddress fromSockaddr(const sockaddr_in& s) {
    return netAddress{ntohl(s.sin_addr.s_addr), ntohs(s.sin_port)};
}

}  // namespace

int udpOpen(const netAddress& local, bool reuse) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) return NO_SOCKET;
    const int on = 1;
    const int flags = fcntl(fd, F_GETFL, 0);
    bool ok = flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 &&
              setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
    if (ok && reuse) ok = setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0;
    const sockaddr_in s = toSockaddr(local);
    if (ok) ok = bind(fd, reinterpret_cast<const sockaddr*>(&s), sizeof s) == 0;
    if (!ok) {
        close(fd);
        return NO_SOCKET;
    }
    return fd;
}

void udpClose(int socket) {
    if (socket != NO_SOCKET) close(socket);
}

bool udpSendTo(int socket, const netAddress& to, const void* bytes, std::size_t size) {
    const sockaddr_in s = toSockaddr(to);
    return sendto(socket, bytes, size, 0, reinterpret_cast<const sockaddr*>(&s), sizeof s) ==
           static_cast<ssize_t>(size);
}

long udpReceive(int socket, void* buffer, std::size_t capacity, netAddress& from) {
    sockaddr_in s{};
    socklen_t length = sizeof s;
    // MSG_TRUNC makes the call report the datagram's real length, so an
    // oversized one is recognised instead of being taken in part.
    const ssize_t n = recvfrom(socket, buffer, capacity, MSG_TRUNC, reinterpret_cast<sockaddr*>(&s), &length);
    if (n < 0) return -1;
    from = fromSockaddr(s);
    return static_cast<long>(n);
}

netAddress udpLocalAddress(int socket) {
    sockaddr_in s{};
    socklen_t length = sizeof s;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&s), &length) != 0) return netAddress{};
    return fromSockaddr(s);
}

bool udpAvailable() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) return false;
    close(fd);
    return true;
}

bool udpResolve(const char* host, uint32_t& address) {
    in_addr dotted{};
    if (inet_pton(AF_INET, host, &dotted) == 1) {
        address = ntohl(dotted.s_addr);
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
    sockaddr_in s{};
    std::memcpy(&s, found->ai_addr, sizeof s);
    freeaddrinfo(found);
    address = ntohl(s.sin_addr.s_addr);
    return true;
}
