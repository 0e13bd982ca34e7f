// Shared pieces of the transport tests: a clock the test moves by hand, a
// fixture that starts the transport with it, a raw UDP peer that speaks the
// wire format directly, and a connected pair of transport connections. All
// traffic stays on 127.0.0.1.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "net/transport.h"
#include "platform/net_udp.h"

constexpr uint32_t LOOPBACK = 0x7f000001;

// The transport's clock while a netTest runs.
extern uint32_t fakeNow;
void advanceClock(uint32_t ms);

class netTest : public testing::Test {
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
