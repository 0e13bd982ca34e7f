// Thin wrapper over non-blocking POSIX UDP/IPv4 sockets. Addresses are kept
// in host byte order.
#pragma once

#include <cstddef>
#include <cstdint>

struct netAddress {
    uint32_t host = 0;  // 0 is the any-address, 0xffffffff broadcast
    uint16_t port = 0;

    bool operator==(const netAddress& o) const { return host == o.host && port == o.port; }
    bool operator!=(const netAddress& o) const { return !(*this == o); }
};

constexpr int NO_SOCKET = -1;

// Opens a non-blocking UDP socket bound to `local` (port 0: any free port),
// with broadcast allowed and, if `reuse`, the address-reuse option set.
// Returns NO_SOCKET on failure.
int udpOpen(const netAddress& local, bool reuse);
void udpClose(int socket);
bool udpSendTo(int socket, const netAddress& to, const void* bytes, std::size_t size);

// Reads one waiting datagram into `buffer`. Returns -1 when none waits,
// otherwise the datagram's full length, which is larger than `capacity`
// when it did not fit (the datagram is then consumed and must be dropped).
long udpReceive(int socket, void* buffer, std::size_t capacity, netAddress& from);

// The address the socket is bound to, as the system reports it.
netAddress udpLocalAddress(int socket);

// Whether the system's UDP socket service works at all.
bool udpAvailable();

// Resolves a dotted IPv4 address or a host name (which waits for the
// system's resolver). False when it can't be resolved.
bool udpResolve(const char* host, uint32_t& address);
