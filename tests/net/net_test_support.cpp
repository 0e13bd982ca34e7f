#include "net/net_test_support.h"

#include <poll.h>

#include <cstring>

#include "net/address.h"
#include "net/transport_state.h"
#include "net/wire.h"

uint32_t fakeNow = 0;

namespace {

uint32_t readFakeClock() { return fakeNow; }

bool waitReadable(int socket, int waitMs) {
    pollfd p{socket, POLLIN, 0};
    return poll(&p, 1, waitMs) > 0;
}

}  // namespace

void advanceClock(uint32_t ms) { fakeNow += ms; }

void netTest::SetUp() {
    fakeNow = 100000;
    net_setclock(readFakeClock);
    ASSERT_EQ(net_init(), 0);
}

// Closed connections that still linger are let go before the next test.
void netTest::TearDown() {
    advanceClock(60000);
    net_query_rdm(nullptr);
    net_setclock(nullptr);
}

bool waitForDatagram(NET_CONN* conn) { return waitReadable(conn->data->socket, 1000); }

rawPeer::rawPeer() : socket(udpOpen(netAddress{LOOPBACK, 0}, false)), local(udpLocalAddress(socket)) {}

rawPeer::~rawPeer() { udpClose(socket); }

void rawPeer::sendTo(uint16_t port, const std::vector<unsigned char>& bytes) {
    udpSendTo(socket, netAddress{LOOPBACK, port}, bytes.data(), bytes.size());
}

bool rawPeer::receive(std::vector<unsigned char>& bytes, int waitMs) {
    if (!waitReadable(socket, waitMs)) return false;
    bytes.resize(2048);
    netAddress from;
    const long n = udpReceive(socket, bytes.data(), bytes.size(), from);
    if (n < 0) return false;
    bytes.resize(static_cast<std::size_t>(n));
    return true;
}

std::vector<std::vector<unsigned char>> rawPeer::drain(int waitMs) {
    std::vector<std::vector<unsigned char>> all;
    std::vector<unsigned char> bytes;
    while (receive(bytes, waitMs)) all.push_back(bytes);
    return all;
}

std::vector<unsigned char> connectionRequest(uint32_t id) {
    std::vector<unsigned char> bytes(REQUEST_SIZE);
    std::memcpy(bytes.data(), REQUEST_MAGIC, sizeof REQUEST_MAGIC);
    writeBig32(bytes.data() + 8, id);
    return bytes;
}

std::vector<unsigned char> dataDatagram(uint32_t sequence, const std::string& payload) {
    std::vector<unsigned char> bytes(SEQUENCE_SIZE + payload.size());
    writeLittle32(bytes.data(), sequence);
    std::memcpy(bytes.data() + SEQUENCE_SIZE, payload.data(), payload.size());
    return bytes;
}

std::vector<unsigned char> ackDatagram(uint32_t sequence) {
    std::vector<unsigned char> bytes(ACK_SIZE, 0);
    writeLittle32(bytes.data() + SEQUENCE_SIZE, sequence);
    return bytes;
}

NET_CONN* openListener() {
    NET_CONN* listener = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    if (listener) net_listen(listener);
    return listener;
}

NET_CONN* acceptRawPeer(NET_CONN* listener, rawPeer& peer, uint16_t& serverPort) {
    peer.sendTo(static_cast<uint16_t>(net_getlocalport(listener)), connectionRequest(7));
    waitForDatagram(listener);
    NET_CONN* conn = net_poll_listen(listener);
    std::vector<unsigned char> reply;
    if (!conn || !peer.receive(reply) || reply.size() != REPLY_SIZE) return conn;
    const std::string text(reinterpret_cast<const char*>(reply.data()) + REPLY_ADDRESS_OFFSET);
    parseNetPort(text, serverPort);
    return conn;
}

connectedPair::connectedPair() {
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

connectedPair::~connectedPair() {
    net_closeconn(client);
    net_closeconn(server);
    net_closeconn(listener);
}
