// Connecting and accepting: the states that gate the operations, the
// handshake, repeated and lost requests, addresses without a port, and the
// bounds of the accepted-requests list.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "net/net_test_support.h"
#include "support/test_files.h"

// An idle connection only listens or connects; a made one outlives its
// listener, and its sequence numbers wrap past zero.
TEST_F(NetTransport, ConnectionsGoThroughTheirStatesOutliveTheListenerAndWrapTheirSequence) {
    EXPECT_EQ(net_openconn(NET_DRIVER_NONE, nullptr), nullptr);
    EXPECT_EQ(net_closeconn(nullptr), 0);
    NET_CONN* listener = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(net_send_rdm(listener, "x", 1), -1);
    EXPECT_EQ(net_poll_listen(listener), nullptr);
    EXPECT_EQ(net_poll_connect(listener), -1);
    EXPECT_EQ(net_listen(listener), 0);
    EXPECT_EQ(net_listen(listener), -1);
    EXPECT_EQ(net_connect(listener, "127.0.0.1:1"), -1);

    NET_CONN* client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_EQ(net_connect(client, loopbackAddress(net_getlocalport(listener)).c_str()), 0);
    waitForDatagram(listener);
    NET_CONN* server = net_poll_listen(listener);
    ASSERT_NE(server, nullptr);
    waitForDatagram(client);
    EXPECT_EQ(net_poll_connect(client), 1);
    EXPECT_EQ(std::string(net_getpeer(server)), loopbackAddress(net_getlocalport(client)));
    // The client talks to the server's own socket for it, not the listener.
    EXPECT_EQ(std::string(net_getpeer(client)), loopbackAddress(net_getlocalport(server)));
    EXPECT_NE(net_getlocalport(server), net_getlocalport(listener));
    EXPECT_EQ(net_getpeer(listener), nullptr);
    EXPECT_EQ(net_closeconn(listener), 0);

    client->data->outBase = client->data->outNext = 0xfffffff8u;
    server->data->inExpected = 0xfffffff8u;
    for (int i = 10; i < 50; ++i) {
        const std::string sent = "m" + std::to_string(i);
        ASSERT_EQ(net_send_rdm(client, sent.data(), 3), 0) << i;
        waitForDatagram(server);
        char got[3] = {};
        ASSERT_EQ(net_receive_rdm(server, got, 3), 3) << i;
        EXPECT_EQ(std::string(got, 3), sent);
        waitForDatagram(client);
        net_query_rdm(client);  // takes the acknowledgement in
    }
    // 8 numbers up to 2^32 - 1, then 1 to 32: 0 is skipped, all acknowledged.
    EXPECT_EQ(client->data->outNext, 33u);
    EXPECT_EQ(client->data->outBase, 33u);
    net_closeconn(client);
    net_closeconn(server);
}

// Requests of the wrong shape are dropped, a repeated one gets the same
// reply; the accepted requests are remembered for ten seconds, 64 at most.
TEST_F(NetTransport, ListenerAcceptsEachWellFormedRequestOnce) {
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

    std::vector<std::unique_ptr<rawPeer>> peers;
    for (int i = 0; i < 70; ++i) {
        peers.push_back(std::make_unique<rawPeer>());
        peers.back()->sendTo(listenPort, connectionRequest(1));
        waitForDatagram(listener);
        accepted.push_back(net_poll_listen(listener));
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

// A bare address means the configured port. The request is resent after
// the interval; replies of the wrong shape are not taken for the reply.
// The connection has the configured queues.
TEST_F(NetTransport, ClientResendsItsRequestToTheConfiguredPortAndTakesOnlyAWellFormedReply) {
    scopedWorkDir dir;
    EXPECT_NE(net_loadconfig(nullptr), 0);  // absent: defaults
    rawPeer fakeServer;
    // Comment lines push the port line across the 64 KiB mark, cut just
    // before its last digit: the file is read to its end.
    std::string text = "[internet]\n";
    const std::string setting = "port = " + std::to_string(fakeServer.port()) + "\n";
    while (text.size() + setting.size() < 65536 - 1000) text += "#" + std::string(998, '-') + "\n";
    text += "#" + std::string(65536 - (setting.size() - 2) - text.size() - 2, '-') + "\n";
    writeFileText("libnet.cfg", text + setting + "[conns]\nconn_outqueue_size = 20\n");
    ASSERT_EQ(net_loadconfig(nullptr), 0);
    NET_CONN* client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_EQ(net_connect(client, "127.0.0.1"), 0);
    std::vector<unsigned char> request;
    ASSERT_TRUE(fakeServer.receive(request));
    ASSERT_EQ(request.size(), REQUEST_SIZE);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(request.data())), "connect");
    advanceClock(500);
    EXPECT_EQ(net_poll_connect(client), 0);  // not yet more than the resend interval
    EXPECT_TRUE(fakeServer.drain().empty());
    advanceClock(1);
    EXPECT_EQ(net_poll_connect(client), 0);
    EXPECT_EQ(fakeServer.drain(), datagrams{request});

    const uint16_t clientPort = static_cast<uint16_t>(net_getlocalport(client));
    std::vector<unsigned char> reply(REPLY_SIZE, 0);
    std::memcpy(reply.data() + REPLY_ADDRESS_OFFSET, ":4321", 5);
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
    EXPECT_EQ(client->data->out.size(), 32u);
    for (int i = 0; i < 31; ++i) ASSERT_EQ(net_send_rdm(client, "x", 1), 0) << i;
    EXPECT_EQ(net_send_rdm(client, "x", 1), -1);
    net_closeconn(client);
}
