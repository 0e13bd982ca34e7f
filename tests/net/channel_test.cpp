// Reliable messages on a connection: the send window, the in queue, duplicate
// and stray datagrams, oversized messages and the lingering close. The peer
// is often a raw socket speaking the wire format, so that loss and hostile
// datagrams can be produced exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/net_test_support.h"
#include "net/packet.h"

namespace {

// A server connection accepted from a raw peer.
struct rawSession {
    NET_CONN* listener = openListener();
    rawPeer peer;
    uint16_t serverPort = 0;
    NET_CONN* server = acceptRawPeer(listener, peer, serverPort);

    ~rawSession() {
        net_closeconn(server);
        net_closeconn(listener);
    }

    void send(const std::vector<unsigned char>& datagram) {
        peer.sendTo(serverPort, datagram);
        waitForDatagram(server);
    }

    std::string receive() {
        char buffer[1024];
        const int n = net_receive_rdm(server, buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : "";
    }
};

}  // namespace

TEST_F(NetTransport, SixteenthUnacknowledgedSendIsRefused) {
    connectedPair pair;
    const char byte = 7;
    for (int i = 0; i < 15; ++i) ASSERT_EQ(net_send_rdm(pair.client, &byte, 1), 0) << i;
    EXPECT_EQ(net_send_rdm(pair.client, &byte, 1), -1);
    EXPECT_EQ(net_send_rdm(pair.client, &byte, 0), -1);
    EXPECT_EQ(net_send_rdm(pair.client, &byte, NET_MAX_MESSAGE + 1), -1);

    char got = 0;
    waitForDatagram(pair.server);
    while (net_receive_rdm(pair.server, &got, 1) == 1) {
    }
    // The acknowledgements are waiting; a send alone takes them in.
    waitForDatagram(pair.client);
    EXPECT_EQ(net_send_rdm(pair.client, &byte, 1), 0);
}

TEST_F(NetTransport, DataSixteenAheadIsDroppedUnacknowledgedAndTakenWhenResent) {
    rawSession s;
    ASSERT_NE(s.server, nullptr);
    s.send(dataDatagram(17, "late"));
    EXPECT_EQ(net_query_rdm(s.server), 0);
    EXPECT_TRUE(s.peer.drain().empty());

    for (uint32_t seq = 1; seq <= 16; ++seq) s.send(dataDatagram(seq, "m" + std::to_string(seq)));
    for (uint32_t seq = 1; seq <= 16; ++seq) EXPECT_EQ(s.receive(), "m" + std::to_string(seq));
    const auto acks = s.peer.drain();
    ASSERT_EQ(acks.size(), 16u);
    EXPECT_EQ(acks[0], ackDatagram(1));

    s.send(dataDatagram(17, "late"));
    EXPECT_EQ(s.receive(), "late");
    EXPECT_EQ(s.peer.drain(), std::vector<std::vector<unsigned char>>{ackDatagram(17)});
}

TEST_F(NetTransport, OutOfOrderDataIsDeliveredInOrder) {
    rawSession s;
    s.send(dataDatagram(3, "c"));
    s.send(dataDatagram(2, "b"));
    EXPECT_EQ(net_query_rdm(s.server), 0);
    s.send(dataDatagram(1, "a"));
    EXPECT_EQ(net_query_rdm(s.server), 1);
    EXPECT_EQ(s.receive(), "a");
    EXPECT_EQ(s.receive(), "b");
    EXPECT_EQ(s.receive(), "c");
    EXPECT_EQ(s.receive(), "");
}

TEST_F(NetTransport, DuplicateIsAcknowledgedAgainAndDeliveredOnce) {
    rawSession s;
    s.send(dataDatagram(1, "a"));
    s.send(dataDatagram(2, "b"));
    s.send(dataDatagram(2, "b"));  // stored once
    EXPECT_EQ(s.receive(), "a");
    EXPECT_EQ(s.receive(), "b");
    s.peer.drain();

    s.send(dataDatagram(1, "a"));
    EXPECT_EQ(net_query_rdm(s.server), 0);
    EXPECT_EQ(s.peer.drain(), std::vector<std::vector<unsigned char>>{ackDatagram(1)});
}

TEST_F(NetTransport, MalformedAndForeignDatagramsAreDroppedSilently) {
    rawSession s;
    s.send({1, 0, 0});                      // shorter than a sequence number
    s.send({0, 0, 0, 0, 1});                // sequence 0 but not an acknowledgement
    s.send({1, 0, 0, 0});                   // data without payload
    s.send(std::vector<unsigned char>(MAX_DATAGRAM + 1, 1));  // larger than any datagram taken
    rawPeer stranger;
    stranger.sendTo(s.serverPort, dataDatagram(1, "forged"));
    waitForDatagram(s.server);
    EXPECT_EQ(net_query_rdm(s.server), 0);
    EXPECT_TRUE(s.peer.drain().empty());
    EXPECT_TRUE(stranger.drain().empty());

    s.send(dataDatagram(1, "real"));
    EXPECT_EQ(s.receive(), "real");
}

TEST_F(NetTransport, OversizedMessageIsDiscardedInsteadOfBlocking) {
    rawSession s;
    s.send(dataDatagram(1, std::string(600, 'x')));
    s.send(dataDatagram(2, "next"));
    packet p;
    EXPECT_EQ(p.receive(s.server), 4);
    EXPECT_EQ(std::string(p.data, 4), "next");

    s.send(dataDatagram(3, "12345"));
    char small[3];
    EXPECT_EQ(net_receive_rdm(s.server, small, 3), -1);
    EXPECT_EQ(std::string(small, 3), "123");
    EXPECT_EQ(net_query_rdm(s.server), 0);
}

TEST_F(NetTransport, NewDataGoesOutAtOnceAndIsResentAfterTheInterval) {
    rawSession s;
    const char byte = 'q';
    ASSERT_EQ(net_send_rdm(s.server, &byte, 1), 0);
    std::vector<unsigned char> datagram;
    ASSERT_TRUE(s.peer.receive(datagram));
    EXPECT_EQ(datagram, dataDatagram(1, "q"));
    advanceClock(500);
    net_query_rdm(s.server);
    EXPECT_TRUE(s.peer.drain().empty());
    advanceClock(1);
    net_query_rdm(s.server);
    EXPECT_EQ(s.peer.drain(), std::vector<std::vector<unsigned char>>{dataDatagram(1, "q")});

    s.send(ackDatagram(1));
    net_query_rdm(s.server);
    advanceClock(501);
    net_query_rdm(s.server);
    EXPECT_TRUE(s.peer.drain().empty());
}

TEST_F(NetTransport, StrayAcknowledgementDoesNotStopResending) {
    rawSession s;
    const char byte = 'a';
    ASSERT_EQ(net_send_rdm(s.server, &byte, 1), 0);
    ASSERT_EQ(net_send_rdm(s.server, &byte, 1), 0);
    s.peer.drain();
    s.send(ackDatagram(17));  // same slot as 1, but not in flight
    s.send(ackDatagram(3));   // not sent yet
    net_query_rdm(s.server);
    advanceClock(501);
    net_query_rdm(s.server);
    EXPECT_EQ(s.peer.drain().size(), 2u);

    s.send(ackDatagram(2));
    s.send(ackDatagram(1));
    net_query_rdm(s.server);
    advanceClock(501);
    net_query_rdm(s.server);
    EXPECT_TRUE(s.peer.drain().empty());
    for (int i = 0; i < 15; ++i) EXPECT_EQ(net_send_rdm(s.server, &byte, 1), 0) << i;  // window free again
}

TEST_F(NetTransport, ClosedConnectionResendsItsLastMessageUntilAcknowledged) {
    rawSession s;
    const char quit = 6;
    ASSERT_EQ(net_send_rdm(s.server, &quit, 1), 0);
    net_closeconn(s.server);
    s.server = nullptr;
    EXPECT_EQ(s.peer.drain().size(), 1u);  // that datagram is "lost"

    advanceClock(501);
    net_query_rdm(nullptr);  // any later call of the transport services it
    std::vector<unsigned char> again;
    ASSERT_TRUE(s.peer.receive(again));
    EXPECT_EQ(again, dataDatagram(1, std::string(1, quit)));
    s.peer.sendTo(s.serverPort, ackDatagram(1));
    s.peer.sendTo(s.serverPort, dataDatagram(1, "ignored"));
    advanceClock(1);
    net_query_rdm(nullptr);
    advanceClock(501);
    net_query_rdm(nullptr);
    EXPECT_TRUE(s.peer.drain().empty());
}

TEST_F(NetTransport, ClosedConnectionGivesUpAfterThreeSeconds) {
    rawSession s;
    const char quit = 6;
    ASSERT_EQ(net_send_rdm(s.server, &quit, 1), 0);
    net_closeconn(s.server);
    s.server = nullptr;
    int resends = -1;  // the first send is not a resend
    for (int ms = 0; ms <= 3000; ms += 501) {
        resends += static_cast<int>(s.peer.drain().size());
        advanceClock(501);
        net_query_rdm(nullptr);
    }
    EXPECT_EQ(resends, 5);
    advanceClock(501);
    net_query_rdm(nullptr);
    EXPECT_TRUE(s.peer.drain().empty());
}
