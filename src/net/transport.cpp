// Start-up, driver choice, connection lifetime and the entry points of the
// transport. Every entry point first services the connections that were
// closed but still linger (see net_closeconn).
#include "net/transport.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "net/address.h"
#include "net/transport_state.h"
#include "platform/clock.h"

netTransport transport;

namespace {

const netDriver SOCKETS_DRIVER = {"Sockets", NET_CLASS_INET};

// A closed connection whose last messages are not all acknowledged keeps
// its socket and out queue for up to 3 seconds, resending them, so that a
// final message (a quit, a "server full") survives the loss of one
// datagram. At most 64 linger; beyond that the oldest is freed at once.
// Without threads they are serviced by the transport's later calls.
constexpr uint32_t LINGER_MS = 3000;
constexpr std::size_t MAX_LINGERING = 64;

struct lingeringChannel {
    std::unique_ptr<netConnState> state;
    uint32_t closedAt = 0;
};

std::vector<lingeringChannel> lingering;

bool driverUsable(int driver) {
    return driver == NET_DRIVER_SOCKETS && !transport.config.disabled && udpAvailable();
}

void linger(std::unique_ptr<netConnState> state) {
    if (lingering.size() >= MAX_LINGERING) lingering.erase(lingering.begin());
    state->accepted.clear();
    state->listener = nullptr;
    lingering.push_back(lingeringChannel{std::move(state), netNow()});
}

}  // namespace

netConnState::netConnState(int socket, const netConfig& config)
    : socket(socket), out(static_cast<std::size_t>(config.outQueueSize)),
      in(static_cast<std::size_t>(config.inQueueSize)) {}

netConnState::~netConnState() { udpClose(socket); }

uint32_t netNow() { return transport.clock ? transport.clock() : monotonicMilliseconds(); }

NET_CONN* newConnection(int socket) {
    NET_CONN* conn = new NET_CONN;
    conn->type = NET_DRIVER_SOCKETS;
    conn->driver = &SOCKETS_DRIVER;
    conn->status = NET_CONN_IDLE;
    conn->data = new netConnState(socket, transport.config);
    return conn;
}

void serviceClosing() {
    const uint32_t now = netNow();
    for (auto it = lingering.begin(); it != lingering.end();) {
        netConnState& state = *it->state;
        if (now - it->closedAt <= LINGER_MS) {
            channelResendDue(state);
            channelRead(state, false);
        }
        if (channelAllAcknowledged(state) || now - it->closedAt > LINGER_MS) {
            it = lingering.erase(it);
        } else {
            ++it;
        }
    }
}

int net_init() {
    transport.config = netConfig{};
    return 0;
}

int net_loadconfig(const char* file) {
    std::ifstream in(file ? file : "libnet.cfg", std::ios::binary);
    if (!in) return -1;
    readNetConfig(in, transport.config);
    return 0;
}

NET_DRIVERLIST net_detectdrivers(int netClass) {
    NET_DRIVERLIST list;
    if (netClass == NET_CLASS_INET && driverUsable(NET_DRIVER_SOCKETS)) list.drivers |= 1u << NET_DRIVER_SOCKETS;
    return list;
}

NET_DRIVERNAME* net_getdrivernames(NET_DRIVERLIST list) {
    const bool sockets = (list.drivers & (1u << NET_DRIVER_SOCKETS)) != 0;
    NET_DRIVERNAME* names = new NET_DRIVERNAME[sockets ? 2 : 1];
    int n = 0;
    if (sockets) names[n++] = NET_DRIVERNAME{NET_DRIVER_SOCKETS, SOCKETS_DRIVER.name};
    names[n] = NET_DRIVERNAME{-1, nullptr};
    return names;
}

int net_initdriver(int driver) { return driverUsable(driver) ? 1 : 0; }

NET_CONN* net_openconn(int driver, const char* address) {
    serviceClosing();
    if (!driverUsable(driver)) return nullptr;
    netAddress local;
    bool reuse = false;
    if (address) {
        reuse = transport.config.forcePort;
        if (*address == '+' || *address == '-') reuse = *address++ == '+';
        if (!parseNetAddress(address, transport.config.port, local)) return nullptr;
    }
    const int socket = udpOpen(local, reuse);
    if (socket == NO_SOCKET) return nullptr;
    return newConnection(socket);
}

int net_listen(NET_CONN* conn) {
    serviceClosing();
    if (!conn || conn->status != NET_CONN_IDLE) return -1;
    conn->status = NET_CONN_LISTENING;
    return 0;
}

NET_CONN* net_poll_listen(NET_CONN* conn) {
    serviceClosing();
    if (!conn || conn->status != NET_CONN_LISTENING) return nullptr;
    return listenerPoll(conn);
}

int net_connect(NET_CONN* conn, const char* address) {
    serviceClosing();
    return conn ? connectorStart(conn, address) : -1;
}

int net_poll_connect(NET_CONN* conn) {
    serviceClosing();
    return conn ? connectorPoll(conn) : -1;
}

int net_send_rdm(NET_CONN* conn, const void* bytes, int size) {
    serviceClosing();
    if (!conn || conn->status != NET_CONN_CONNECTED) return -1;
    return channelSend(*conn->data, bytes, size);
}

int net_query_rdm(NET_CONN* conn) {
    serviceClosing();
    if (!conn || conn->status != NET_CONN_CONNECTED) return 0;
    channelPoll(*conn->data);
    return channelQuery(*conn->data);
}

int net_receive_rdm(NET_CONN* conn, void* buffer, int capacity) {
    serviceClosing();
    if (!conn || conn->status != NET_CONN_CONNECTED) return 0;
    channelPoll(*conn->data);
    return channelReceive(*conn->data, buffer, capacity);
}

const char* net_getpeer(NET_CONN* conn) {
    return conn && conn->status == NET_CONN_CONNECTED ? conn->peer : nullptr;
}

int net_closeconn(NET_CONN* conn) {
    serviceClosing();
    if (!conn) return 0;
    std::unique_ptr<netConnState> state(conn->data);
    if (state->listener) listenerForget(state->listener, conn);
    if (conn->status == NET_CONN_LISTENING) listenerRelease(conn);
    const bool unacknowledged = conn->status == NET_CONN_CONNECTED && !channelAllAcknowledged(*state);
    delete conn;
    if (unacknowledged) linger(std::move(state));
    return 0;
}

int net_poll_lingering() {
    serviceClosing();
    return static_cast<int>(lingering.size());
}

int net_getlocalport(NET_CONN* conn) { return conn ? udpLocalAddress(conn->data->socket).port : 0; }

void net_setclock(uint32_t (*clock)()) { transport.clock = clock; }
