// Shared pieces of the transport tests: a clock the test moves by hand, a
// fixture that starts the transport with it, a raw UDP peer that speaks the
// wire format directly, and a connected pair of transport connections. All
// traffic stays on 127.0.0.1.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "net/address.h"
#include "net/transport.h"
#include "net/transport_state.h"
#include "net/wire.h"
#include "platform/net_udp.h"

constexpr uint32_t LOOPBACK = 0x7f000001;

// Moves the transport's clock while a NetTransport runs.
void advanceClock(uint32_t ms);

class NetTransport : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Waits (bounded) until the connection's socket has a datagram waiting, so
// that a poll right after a loopback send finds it.
bool waitForDatagram(NET_CONN* conn);

// A UDP socket on 127.0.0.1 that sends and receives raw datagrams.
class rawPeer {
public:
    rawPeer();
    ~rawPeer();
    rawPeer(const rawPeer&) = delete;
    rawPeer& operator=(const rawPeer&) = delete;

    uint16_t port() const { return local.port; }
    netAddress address() const { return local; }
    void sendTo(uint16_t port, const std::vector<unsigned char>& bytes);
    // The next datagram within the wait (milliseconds of real time); false if none came.
    bool receive(std::vector<unsigned char>& bytes, int waitMs = 500);
    // Everything that arrives within the wait.
    std::vector<std::vector<unsigned char>> drain(int waitMs = 20);

private:
    int socket;
    netAddress local;
};

std::vector<unsigned char> connectionRequest(uint32_t id);
std::vector<unsigned char> dataDatagram(uint32_t sequence, const std::string& payload);
std::vector<unsigned char> ackDatagram(uint32_t sequence);

// A listening connection, and the server and client ends of one connection
// made through it on loopback.
struct connectedPair {
    NET_CONN* listener = nullptr;
    NET_CONN* server = nullptr;
    NET_CONN* client = nullptr;

    connectedPair();
    ~connectedPair();
    connectedPair(const connectedPair&) = delete;
    connectedPair& operator=(const connectedPair&) = delete;
};

// A listening connection on a free port.
NET_CONN* openListener();

// An accepted server connection whose peer is `peer`, after a raw handshake.
NET_CONN* acceptRawPeer(NET_CONN* listener, rawPeer& peer, uint16_t& serverPort);

// Definitions; header-only so that every test file can share them.
// The transport's clock while a NetTransport runs.
inline uint32_t fakeNow = 0;

namespace netTestDetail {

inline uint32_t readFakeClock() { return fakeNow; }

inline bool waitReadable(int socket, int waitMs) {
    pollfd p{socket, POLLIN, 0};
    return poll(&p, 1, waitMs) > 0;
}

}  // namespace netTestDetail

inline void advanceClock(uint32_t ms) { fakeNow += ms; }

inline void NetTransport::SetUp() {
    fakeNow = 100000;
    net_setclock(netTestDetail::readFakeClock);
    ASSERT_EQ(net_init(), 0);
}

// Closed connections that still linger are let go before the next test.
inline void NetTransport::TearDown() {
    advanceClock(60000);
    net_query_rdm(nullptr);
    net_setclock(nullptr);
}

inline bool waitForDatagram(NET_CONN* conn) { return netTestDetail::waitReadable(conn->data->socket, 1000); }

inline rawPeer::rawPeer() : socket(udpOpen(netAddress{LOOPBACK, 0}, false)), local(udpLocalAddress(socket)) {}

inline rawPeer::~rawPeer() { udpClose(socket); }

inline void rawPeer::sendTo(uint16_t port, const std::vector<unsigned char>& bytes) {
    udpSendTo(socket, netAddress{LOOPBACK, port}, bytes.data(), bytes.size());
}

inline bool rawPeer::receive(std::vector<unsigned char>& bytes, int waitMs) {
    if (!netTestDetail::waitReadable(socket, waitMs)) return false;
    bytes.resize(2048);
    netAddress from;
    const long n = udpReceive(socket, bytes.data(), bytes.size(), from);
    if (n < 0) return false;
    bytes.resize(static_cast<std::size_t>(n));
    return true;
}

inline std::vector<std::vector<unsigned char>> rawPeer::drain(int waitMs) {
    std::vector<std::vector<unsigned char>> all;
    std::vector<unsigned char> bytes;
    while (receive(bytes, waitMs)) all.push_back(bytes);
    return all;
}

inline std::vector<unsigned char> connectionRequest(uint32_t id) {
    std::vector<unsigned char> bytes(REQUEST_SIZE);
    std::memcpy(bytes.data(), REQUEST_MAGIC, sizeof REQUEST_MAGIC);
    writeBig32(bytes.data() + 8, id);
    return bytes;
}

inline std::vector<unsigned char> dataDatagram(uint32_t sequence, const std::string& payload) {
    std::vector<unsigned char> bytes(SEQUENCE_SIZE + payload.size());
    writeLittle32(bytes.data(), sequence);
    std::memcpy(bytes.data() + SEQUENCE_SIZE, payload.data(), payload.size());
    return bytes;
}

inline std::vector<unsigned char> ackDatagram(uint32_t sequence) {
    std::vector<unsigned char> bytes(ACK_SIZE, 0);
    writeLittle32(bytes.data() + SEQUENCE_SIZE, sequence);
    return bytes;
}

inline NET_CONN* openListener() {
    NET_CONN* listener = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    if (listener) net_listen(listener);
    return listener;
}

inline NET_CONN* acceptRawPeer(NET_CONN* listener, rawPeer& peer, uint16_t& serverPort) {
    peer.sendTo(static_cast<uint16_t>(net_getlocalport(listener)), connectionRequest(7));
    waitForDatagram(listener);
    NET_CONN* conn = net_poll_listen(listener);
    std::vector<unsigned char> reply;
    if (!conn || !peer.receive(reply) || reply.size() != REPLY_SIZE) return conn;
    const std::string text(reinterpret_cast<const char*>(reply.data()) + REPLY_ADDRESS_OFFSET);
    parseNetPort(text, serverPort);
    return conn;
}

inline connectedPair::connectedPair() {
    listener = openListener();
    if (!listener) return;
    client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    const std::string address = "127.0.0.1:" + std::to_string(net_getlocalport(listener));
    if (net_connect(client, address.c_str()) != 0) return;
    waitForDatagram(listener);
    server = net_poll_listen(listener);
    waitForDatagram(client);
    net_poll_connect(client);
}

inline connectedPair::~connectedPair() {
    net_closeconn(client);
    net_closeconn(server);
    net_closeconn(listener);
}
