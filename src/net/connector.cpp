// Connecting a client connection: the connection request goes out and is
// repeated every resend interval until the server's reply names the socket
// it opened for us. Datagram layouts are in net/wire.h.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "net/address.h"
#include "net/transport_state.h"

namespace {

constexpr int DATAGRAMS_PER_CONNECT_POLL = 10;

}  // namespace

int connectorStart(NET_CONN* conn, const char* address) {
    netConnState& state = *conn->data;
    netAddress server;
    if (conn->status != NET_CONN_IDLE || !address || !parseNetAddress(address, transport.config.port, server)) {
        return -1;
    }
    const uint32_t seconds = static_cast<uint32_t>(std::time(nullptr)) % 65536u;
    const uint32_t id = transport.attempts * 65536u + seconds;
    ++transport.attempts;
    std::memcpy(state.request, REQUEST_MAGIC, sizeof REQUEST_MAGIC);
    writeBig32(state.request + sizeof REQUEST_MAGIC, id);

    state.server = server;
    state.target = server;
    if (!udpSendTo(state.socket, server, state.request, sizeof state.request)) return -1;
    state.requestSent = netNow();
    conn->status = NET_CONN_CONNECTING;
    return 0;
}

// The reply names the server's new socket; only its port is taken, joined to
// the host we connected to, so that a reply naming the any-address still
// leads to the right host. The named host is never resolved.
bool connectorHandleDatagram(NET_CONN* conn, const unsigned char* bytes, std::size_t size) {
    if (size != REPLY_SIZE) return false;
    for (std::size_t i = 0; i < REPLY_ADDRESS_OFFSET; ++i) {
        if (bytes[i] != 0) return false;
    }
    const char* text = reinterpret_cast<const char*>(bytes + REPLY_ADDRESS_OFFSET);
    const std::size_t length = strnlen(text, REPLY_SIZE - REPLY_ADDRESS_OFFSET);
    if (length == REPLY_SIZE - REPLY_ADDRESS_OFFSET) return false;
    uint16_t port = 0;
    if (!parseNetPort(std::string(text, length), port)) return false;
    if (port == 0) port = transport.config.port;

    netConnState& state = *conn->data;
    state.target = netAddress{state.server.host, port};
    std::snprintf(conn->peer, sizeof conn->peer, "%s", formatNetAddress(state.target).c_str());
    conn->status = NET_CONN_CONNECTED;
    return true;
}

int connectorPoll(NET_CONN* conn) {
    if (conn->status == NET_CONN_CONNECTED) return 1;
    if (conn->status != NET_CONN_CONNECTING) return -1;
    netConnState& state = *conn->data;
    // Up to 10 datagrams rather than one, so that stray datagrams arriving
    // once a tick can't hold the reply back for ever.
    unsigned char buffer[REPLY_SIZE];
    for (int i = 0; i < DATAGRAMS_PER_CONNECT_POLL; ++i) {
        netAddress from;
        const long n = udpReceive(state.socket, buffer, sizeof buffer, from);
        if (n < 0) break;
        if (static_cast<std::size_t>(n) > sizeof buffer) continue;
        if (connectorHandleDatagram(conn, buffer, static_cast<std::size_t>(n))) return 1;
    }
    if (netNow() - state.requestSent > transport.config.resendRate) {
        udpSendTo(state.socket, state.target, state.request, sizeof state.request);
        state.requestSent = netNow();
    }
    return 0;
}
