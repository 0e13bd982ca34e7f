// Shared pieces of the transport tests: a clock the test moves by hand, a
// fixture that starts the transport with it, a raw UDP peer that speaks the
// wire format directly, a connection driven by hand, and connections made on
// 127.0.0.1 only.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
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
using datagrams = std::vector<std::vector<unsigned char>>;

// The transport's clock while a NetTransport runs; tests move it by hand.
inline uint32_t fakeNow = 0;
inline void advanceClock(uint32_t ms) { fakeNow += ms; }

inline std::string loopbackAddress(int port) { return "127.0.0.1:" + std::to_string(port); }

inline bool waitReadable(int socket, int waitMs) {
    pollfd p{socket, POLLIN, 0};
    return poll(&p, 1, waitMs) > 0;
}

// Waits (bounded) until the connection's socket has a datagram waiting, so
// that a poll right after a loopback send finds it.
inline bool waitForDatagram(NET_CONN* conn) { return waitReadable(conn->data->socket, 1000); }

class NetTransport : public testing::Test {
protected:
    void SetUp() override {
        fakeNow = 100000;
        net_setclock([] { return fakeNow; });
        ASSERT_EQ(net_init(), 0);
    }
    // Closed connections that still linger are let go before the next test.
    void TearDown() override {
        advanceClock(60000);
        net_query_rdm(nullptr);
        net_setclock(nullptr);
    }
};

// A UDP socket on 127.0.0.1 that sends and receives raw datagrams.
class rawPeer {
public:
    rawPeer() : socket(udpOpen(netAddress{LOOPBACK, 0}, false)) {}
    ~rawPeer() { udpClose(socket); }

    uint16_t port() const { return udpLocalAddress(socket).port; }
    void sendTo(uint16_t port, const std::vector<unsigned char>& bytes) {
        udpSendTo(socket, netAddress{LOOPBACK, port}, bytes.data(), bytes.size());
    }
    // The next datagram within the wait (milliseconds of real time); false if none came.
    bool receive(std::vector<unsigned char>& bytes, int waitMs = 500) {
        if (!waitReadable(socket, waitMs)) return false;
        bytes.resize(2048);
        netAddress from;
        const long n = udpReceive(socket, bytes.data(), bytes.size(), from);
        bytes.resize(static_cast<std::size_t>(std::max(n, 0L)));
        return n >= 0;
    }
    // Everything that arrives within the wait.
    datagrams drain(int waitMs = 20) {
        datagrams all;
        std::vector<unsigned char> bytes;
        while (receive(bytes, waitMs)) all.push_back(bytes);
        return all;
    }

private:
    int socket;
};

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

// A listening connection on a free port.
inline NET_CONN* openListener() {
    NET_CONN* listener = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    if (listener) net_listen(listener);
    return listener;
}

// A transport connection driven by hand: sends raw bytes and collects
// every message that arrives.
struct rawEnd {
    NET_CONN* conn = nullptr;
    ~rawEnd() { net_closeconn(conn); }
    void sendBytes(const std::string& bytes) { net_send_rdm(conn, bytes.data(), static_cast<int>(bytes.size())); }
    std::vector<std::string> receiveAll() {
        std::vector<std::string> all;
        char buffer[NET_MAX_MESSAGE];
        int n = 0;
        while ((n = net_receive_rdm(conn, buffer, sizeof buffer)) > 0) all.emplace_back(buffer, n);
        return all;
    }
};
