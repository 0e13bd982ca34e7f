// Connecting and accepting: handshake, repeated and lost requests, addresses
// without a port, and the bounds of the accepted-requests list.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/net_test_support.h"
#include "support/test_files.h"

TEST_F(NetTransport, ClientAndServerConnectAndOutliveTheListener) {
    connectedPair pair;
    ASSERT_NE(pair.server, nullptr);
    EXPECT_EQ(pair.server->status, NET_CONN_CONNECTED);
    EXPECT_EQ(pair.client->status, NET_CONN_CONNECTED);
    EXPECT_EQ(std::string(net_getpeer(pair.server)), loopbackAddress(net_getlocalport(pair.client)));
    // The client talks to the server's own socket for it, not the listener.
    EXPECT_EQ(std::string(net_getpeer(pair.client)), loopbackAddress(net_getlocalport(pair.server)));
    EXPECT_NE(net_getlocalport(pair.server), net_getlocalport(pair.listener));
    EXPECT_EQ(net_getpeer(pair.listener), nullptr);

    net_closeconn(pair.listener);
    pair.listener = nullptr;
    ASSERT_EQ(net_send_rdm(pair.server, "*", 1), 0);
    waitForDatagram(pair.client);
    char got = 0;
    EXPECT_EQ(net_receive_rdm(pair.client, &got, 1), 1);
    EXPECT_EQ(got, '*');
}

TEST_F(NetTransport, StatesGateTheOperations) {
    NET_CONN* conn = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_NE(conn, nullptr);
    EXPECT_EQ(conn->status, NET_CONN_IDLE);
    EXPECT_EQ(net_send_rdm(conn, "x", 1), -1);
    EXPECT_EQ(net_poll_listen(conn), nullptr);
    EXPECT_EQ(net_poll_connect(conn), -1);
    EXPECT_EQ(net_listen(conn), 0);
    EXPECT_EQ(net_listen(conn), -1);
    EXPECT_EQ(net_connect(conn, "127.0.0.1:1"), -1);
    EXPECT_EQ(net_closeconn(conn), 0);
    EXPECT_EQ(net_openconn(NET_DRIVER_NONE, nullptr), nullptr);
    EXPECT_EQ(net_closeconn(nullptr), 0);
}

TEST_F(NetTransport, RequestsOfWrongShapeAreDroppedAndARepeatedOneGetsTheSameReply) {
    NET_CONN* listener = openListener();
    const uint16_t listenPort = static_cast<uint16_t>(net_getlocalport(listener));
    rawPeer peer;
    std::vector<unsigned char> longer = connectionRequest(1), wrongMagic = connectionRequest(1);
    longer.push_back(0);
    wrongMagic[0] = 'C';
    for (const auto& request : {longer, wrongMagic, std::vector<unsigned char>(4000, 0)}) peer.sendTo(listenPort, request);
    waitForDatagram(listener);
    EXPECT_EQ(net_poll_listen(listener), nullptr);
    EXPECT_TRUE(peer.drain().empty());

    std::vector<NET_CONN*> accepted;
    datagrams replies;
    // The same id twice, then another id from the same address: another connection.
    for (uint32_t id : {0x01020304u, 0x01020304u, 0x01020305u}) {
        peer.sendTo(listenPort, connectionRequest(id));
        waitForDatagram(listener);
        if (NET_CONN* conn = net_poll_listen(listener)) accepted.push_back(conn);
        replies.emplace_back();
        EXPECT_TRUE(peer.receive(replies.back())) << id;
    }
    ASSERT_EQ(accepted.size(), 2u);
    ASSERT_EQ(replies[0].size(), REPLY_SIZE);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(replies[0].data()) + REPLY_ADDRESS_OFFSET),
              ":" + std::to_string(net_getlocalport(accepted[0])));
    EXPECT_EQ(replies[0], replies[1]);
    for (NET_CONN* conn : accepted) net_closeconn(conn);
    net_closeconn(listener);
}

// A bare address means the configured port; the first request goes nowhere
// (nothing listens yet) and the resend completes the handshake. The
// connection has the configured queues.
TEST_F(NetTransport, BareAddressReachesTheConfiguredPortAndALostRequestIsResent) {
    scopedWorkDir dir;
    EXPECT_NE(net_loadconfig(nullptr), 0);  // absent: defaults
    const uint16_t port = rawPeer().port();  // nothing listens there now
    writeFileText("libnet.cfg", "[internet]\nport = " + std::to_string(port) + "\n[conns]\nconn_outqueue_size = 20\n");
    ASSERT_EQ(net_loadconfig(nullptr), 0);
    NET_CONN* client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_EQ(net_connect(client, "127.0.0.1"), 0);
    EXPECT_EQ(client->status, NET_CONN_CONNECTING);

    NET_CONN* listener = net_openconn(NET_DRIVER_SOCKETS, "");
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(net_getlocalport(listener), port);
    net_listen(listener);
    EXPECT_EQ(net_poll_connect(client), 0);
    EXPECT_EQ(net_poll_listen(listener), nullptr);
    advanceClock(500);
    EXPECT_EQ(net_poll_connect(client), 0);  // not yet more than the resend interval
    advanceClock(1);
    EXPECT_EQ(net_poll_connect(client), 0);  // resent now
    waitForDatagram(listener);
    NET_CONN* server = net_poll_listen(listener);
    EXPECT_NE(server, nullptr);
    waitForDatagram(client);
    EXPECT_EQ(net_poll_connect(client), 1);
    EXPECT_EQ(client->data->out.size(), 32u);
    for (int i = 0; i < 31; ++i) ASSERT_EQ(net_send_rdm(client, "x", 1), 0) << i;
    EXPECT_EQ(net_send_rdm(client, "x", 1), -1);
    for (NET_CONN* conn : {client, server, listener}) net_closeconn(conn);
}

TEST_F(NetTransport, ReplyOfWrongShapeIsNotTakenForTheReply) {
    rawPeer fakeServer;
    NET_CONN* client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_EQ(net_connect(client, loopbackAddress(fakeServer.port()).c_str()), 0);
    std::vector<unsigned char> request;
    ASSERT_TRUE(fakeServer.receive(request));
    ASSERT_EQ(request.size(), REQUEST_SIZE);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(request.data())), "connect");

    const uint16_t clientPort = static_cast<uint16_t>(net_getlocalport(client));
    std::vector<unsigned char> reply(REPLY_SIZE, 0);
    const std::string named = ":4321";
    std::copy(named.begin(), named.end(), reply.begin() + REPLY_ADDRESS_OFFSET);
    std::vector<unsigned char> unterminated(REPLY_SIZE, 'x'), nonzeroHead = reply, badPort = reply, longer = reply;
    std::fill(unterminated.begin(), unterminated.begin() + 8, 0);
    nonzeroHead[3] = 1;
    badPort[REPLY_ADDRESS_OFFSET + 1] = 'z';
    longer.push_back(0);
    for (const auto& wrong : {unterminated, nonzeroHead, badPort, longer}) fakeServer.sendTo(clientPort, wrong);
    waitForDatagram(client);
    EXPECT_EQ(net_poll_connect(client), 0);

    fakeServer.sendTo(clientPort, reply);
    waitForDatagram(client);
    EXPECT_EQ(net_poll_connect(client), 1);
    // The host we connected to, with the port the reply named.
    EXPECT_EQ(std::string(net_getpeer(client)), "127.0.0.1:4321");
    net_closeconn(client);
}

TEST_F(NetTransport, AcceptedRequestsExpireAndAreCapped) {
    NET_CONN* listener = openListener();
    const uint16_t listenPort = static_cast<uint16_t>(net_getlocalport(listener));
    std::vector<std::unique_ptr<rawPeer>> peers;
    std::vector<NET_CONN*> accepted;
    for (int i = 0; i < 70; ++i) {
        peers.push_back(std::make_unique<rawPeer>());
        peers.back()->sendTo(listenPort, connectionRequest(1));
        waitForDatagram(listener);
        accepted.push_back(net_poll_listen(listener));
        ASSERT_NE(accepted.back(), nullptr) << i;
        advanceClock(10);
    }
    EXPECT_EQ(listener->data->accepted.size(), 64u);
    // The first request was forgotten, a recent one is still known.
    peers[69]->sendTo(listenPort, connectionRequest(1));
    waitForDatagram(listener);
    EXPECT_EQ(net_poll_listen(listener), nullptr);

    advanceClock(10001);
    net_poll_listen(listener);
    EXPECT_TRUE(listener->data->accepted.empty());
    for (NET_CONN* conn : accepted) net_closeconn(conn);
    net_closeconn(listener);
}
