// Reliable messages on a connection: the send window, the in queue, duplicate
// and stray datagrams, oversized messages and the lingering close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/helpers.h"
#include "app/pacer.h"
#include "net/net_test_support.h"
#include "net/packet.h"

// One session, datagram by datagram: what is delivered and what is
// acknowledged, then what is sent and resent, and after the close.
TEST_F(NetTransport, SessionDeliversInOrderOnceAcknowledgesWhatItTakesResendsItsWindowAndLingersWhenClosed) {
    const std::string oversized(NET_MAX_MESSAGE + 1, 'x');
    const struct {
        const char* what;
        datagrams sent;
        std::vector<std::string> delivered;
        std::vector<uint32_t> acknowledged;
    } steps[] = {
        {"16 ahead of the expected 1 is dropped unacknowledged", {dataDatagram(17, "late")}, {}, {}},
        {"out of order is held until the gap fills, a duplicate taken once",
         {dataDatagram(3, "c"), dataDatagram(2, "b"), dataDatagram(2, "b"), dataDatagram(1, "a")},
         {"a", "b", "c"},
         {3, 2, 2, 1}},
        {"a duplicate of delivered data is acknowledged again, not delivered", {dataDatagram(1, "a")}, {}, {1}},
        {"too short, sequence 0 without being an ack, oversized and far ahead",
         {{1, 0, 0}, {0, 0, 0, 0, 1}, std::vector<unsigned char>(MAX_DATAGRAM + 1, 1)},
         {},
         {}},
        {"empty and oversized messages are acknowledged and discarded",
         {dataDatagram(4, "d"), dataDatagram(5, oversized), dataDatagram(6, "e"), dataDatagram(7, ""),
          dataDatagram(8, "f")},
         {"d", "e", "f"},
         {4, 5, 6, 7, 8}},
        {"a discarded one ahead is skipped when its turn comes",
         {dataDatagram(10, ""), dataDatagram(9, "g"), dataDatagram(11, "h")},
         {"g", "h"},
         {10, 9, 11}},
        {"15 ahead of the expected 12 is held and acknowledged", {dataDatagram(27, "27")}, {}, {27}},
    };
    // A server connection accepted from a raw peer after a raw handshake,
    // so that loss and hostile datagrams can be produced exactly.
    NET_CONN* listener = openListener();
    rawPeer peer;
    peer.sendTo(static_cast<uint16_t>(net_getlocalport(listener)), connectionRequest(7));
    waitForDatagram(listener);
    rawEnd server;
    server.conn = net_poll_listen(listener);
    ASSERT_NE(server.conn, nullptr);
    peer.drain();  // the reply
    const uint16_t serverPort = static_cast<uint16_t>(net_getlocalport(server.conn));
    const auto send = [&](const std::vector<unsigned char>& datagram) {
        peer.sendTo(serverPort, datagram);
        waitForDatagram(server.conn);
    };
    // Lets the clock pass and has the transport resend what is due.
    const auto elapse = [&](uint32_t ms) {
        net_query_rdm(server.conn);
        advanceClock(ms);
        net_query_rdm(server.conn);
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        for (const auto& datagram : step.sent) send(datagram);
        EXPECT_EQ(server.receiveAll(), step.delivered);
        EXPECT_EQ(net_query_rdm(server.conn), 0);
        datagrams acks;
        for (uint32_t seq : step.acknowledged) acks.push_back(ackDatagram(seq));
        EXPECT_EQ(peer.drain(), acks);
    }
    // The gap before the held one filled, all of it is delivered in order.
    std::vector<std::string> inOrder;
    for (uint32_t seq = 12; seq <= 27; ++seq) inOrder.push_back(std::to_string(seq));
    for (uint32_t seq = 12; seq <= 26; ++seq) send(dataDatagram(seq, inOrder[seq - 12]));
    EXPECT_EQ(server.receiveAll(), inOrder);
    EXPECT_EQ(peer.drain().size(), 15u);

    // Data from another address is dropped without an answer.
    rawPeer stranger;
    stranger.sendTo(serverPort, dataDatagram(28, "forged"));
    waitForDatagram(server.conn);
    EXPECT_EQ(net_query_rdm(server.conn), 0);
    EXPECT_TRUE(stranger.drain().empty());

    // A message longer than the reader's buffer is cut and taken, not left to block.
    send(dataDatagram(28, "12345"));
    char small[3];
    EXPECT_EQ(net_receive_rdm(server.conn, small, 3), -1);
    EXPECT_EQ(std::string(small, 3), "123");
    EXPECT_EQ(net_query_rdm(server.conn), 0);

    // The game's packet reader skips a message too long for it instead of blocking.
    send(dataDatagram(29, std::string(600, 'x')));
    send(dataDatagram(30, "next"));
    packet p;
    EXPECT_EQ(p.receive(server.conn), 4);
    EXPECT_EQ(std::string(p.data, 4), "next");

    // The other way: sent at once, resent after more than the interval
    // until acknowledged, only acknowledgements in flight counting.
    peer.drain();
    ASSERT_EQ(net_send_rdm(server.conn, "a", 1), 0);
    ASSERT_EQ(net_send_rdm(server.conn, "b", 1), 0);
    EXPECT_EQ(peer.drain(), (datagrams{dataDatagram(1, "a"), dataDatagram(2, "b")}));  // out at once
    elapse(500);
    EXPECT_TRUE(peer.drain().empty());
    elapse(1);
    EXPECT_EQ(peer.drain().size(), 2u);

    send(ackDatagram(17));  // same slot as 1, but not in flight
    send(ackDatagram(3));   // not sent yet
    elapse(501);
    EXPECT_EQ(peer.drain().size(), 2u);

    send(ackDatagram(2));
    send(ackDatagram(1));
    elapse(501);
    EXPECT_TRUE(peer.drain().empty());

    // The window free again: messages of 1 to NET_MAX_MESSAGE bytes, 15 unacknowledged.
    EXPECT_EQ(net_send_rdm(server.conn, "c", 0), -1);
    EXPECT_EQ(net_send_rdm(server.conn, std::string(NET_MAX_MESSAGE + 1, 'c').data(), NET_MAX_MESSAGE + 1), -1);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(net_send_rdm(server.conn, "c", 1), 0) << i;
    EXPECT_EQ(net_send_rdm(server.conn, "c", 1), -1);
    // The acknowledgements wait on the socket; a send alone takes them in.
    for (uint32_t seq = 3; seq <= 17; ++seq) peer.sendTo(serverPort, ackDatagram(seq));
    waitForDatagram(server.conn);
    EXPECT_EQ(net_send_rdm(server.conn, "c", 1), 0);

    // Closed, the connection lingers, resending its last message (say a
    // QUIT whose datagram was lost) on every pass of the loop driver, the
    // menus' too, for three seconds.
    peer.drain();  // the window, sent at once
    net_closeconn(server.conn);
    server.conn = nullptr;
    EXPECT_EQ(net_poll_lingering(), 1);
    struct : pacedScreen {
        bool step() override { return true; }
        void draw() override {}
    } menu;
    datagrams resent;
    for (int pass = 0; pass < 7; ++pass) {
        advanceClock(501);
        timerCounter = 0;
        pacedPass(menu, pacing{}, [](int) {});
        for (const auto& d : peer.drain()) resent.push_back(d);
    }
    EXPECT_EQ(resent, datagrams(5, dataDatagram(18, "c")));
    EXPECT_EQ(net_poll_lingering(), 0);
    net_closeconn(listener);
}
