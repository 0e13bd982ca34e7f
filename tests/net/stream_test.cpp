// Many messages of random sizes between two connections, through a relay that loses, duplicates and reorders datagrams: each must
// arrive exactly once and in order.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "net/lossy_relay.h"
#include "net/net_test_support.h"

namespace {

constexpr int MESSAGES = 10000;

std::vector<std::string> randomMessages(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::string> messages(MESSAGES);
    for (int i = 0; i < MESSAGES; ++i) {
        const std::size_t size = 1 + random() % 512;
        for (std::size_t j = 0; j < size; ++j) messages[i] += static_cast<char>(random());
    }
    return messages;
}

// Sends random messages from one end and receives them on the other,
// moving the clock 20 ms a round, until all arrived or a real-time limit
// passed; every message must arrive exactly once and in order.
void expectStreamArrives(NET_CONN* from, NET_CONN* to, unsigned seed, lossyRelay* relay) {
    const std::vector<std::string> messages = randomMessages(seed);
    std::vector<std::string> received;
    std::size_t sent = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    char buffer[1024];
    while (received.size() < messages.size() && std::chrono::steady_clock::now() < deadline) {
        while (sent < messages.size() &&
               net_send_rdm(from, messages[sent].data(), static_cast<int>(messages[sent].size())) == 0) {
            ++sent;
        }
        if (relay) relay->pump();
        for (int n; (n = net_receive_rdm(to, buffer, sizeof buffer)) != 0;) {
            ASSERT_GT(n, 0) << "after " << received.size() << " messages";
            received.emplace_back(buffer, static_cast<std::size_t>(n));
        }
        if (relay) relay->pump();
        net_query_rdm(from);
        advanceClock(20);
    }
    ASSERT_EQ(received.size(), messages.size()) << "seed " << seed;
    EXPECT_TRUE(received == messages) << "seed " << seed;
}

}  // namespace

TEST_F(NetTransport, TenThousandMessagesSurviveALossyRelay) {
    NET_CONN* listener = openListener();
    lossyRelay relay(static_cast<uint16_t>(net_getlocalport(listener)), 12345, 0.2, 0.05, 0.1);
    NET_CONN* client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
    ASSERT_EQ(net_connect(client, loopbackAddress(relay.port()).c_str()), 0);
    NET_CONN* server = nullptr;
    for (int round = 0; round < 1000 && (!server || net_poll_connect(client) != 1); ++round) {
        relay.pump();
        if (!server) server = net_poll_listen(listener);
        relay.pump();
        advanceClock(20);
    }
    ASSERT_NE(server, nullptr);
    ASSERT_EQ(client->status, NET_CONN_CONNECTED);
    // Both directions, through the same relay.
    expectStreamArrives(client, server, 2, &relay);
    expectStreamArrives(server, client, 3, &relay);
    EXPECT_GT(relay.dropped, 2000);
    EXPECT_GT(relay.duplicated, 100);
    EXPECT_GT(relay.reordered, 100);
    net_closeconn(client);
    net_closeconn(server);
    net_closeconn(listener);
}
