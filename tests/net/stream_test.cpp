// Many messages of random sizes both ways on one connection, through a relay
// that loses, duplicates and reorders datagrams: each must arrive exactly
// once and in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "net/net_test_support.h"

namespace {

// A socket between the ends of a connection, both made to talk to it: what
// arrives from one end goes on to the other, unless the seeded generator
// drops it, sends it twice or holds it back for a few pumps.
class lossyRelay {
public:
    lossyRelay(connectedPair& pair, unsigned seed) : socket(udpOpen(netAddress{LOOPBACK, 0}, false)), random(seed) {
        for (NET_CONN* end : {pair.client, pair.server}) {
            ends.push_back(static_cast<uint16_t>(net_getlocalport(end)));
            end->data->target = netAddress{LOOPBACK, udpLocalAddress(socket).port};
        }
    }
    ~lossyRelay() { udpClose(socket); }
    lossyRelay(const lossyRelay&) = delete;
    lossyRelay& operator=(const lossyRelay&) = delete;

    // Releases held datagrams whose delay ran out and forwards what waits.
    void pump() {
        for (held& h : delayed) --h.delay;
        const auto due = std::stable_partition(delayed.begin(), delayed.end(), [](const held& h) { return h.delay > 0; });
        for (auto h = due; h != delayed.end(); ++h) send(h->to, h->bytes);
        delayed.erase(due, delayed.end());
        std::vector<unsigned char> bytes(2048);
        netAddress from;
        for (long n; (n = udpReceive(socket, bytes.data(), bytes.size(), from)) >= 0;)
            impair(from.port == ends[0] ? ends[1] : ends[0], std::vector<unsigned char>(bytes.begin(), bytes.begin() + n));
    }

    int dropped = 0, duplicated = 0, reordered = 0;

private:
    struct held {
        uint16_t to;
        std::vector<unsigned char> bytes;
        int delay;
    };
    int socket;
    std::vector<uint16_t> ends;
    std::vector<held> delayed;
    std::mt19937 random;

    void send(uint16_t to, const std::vector<unsigned char>& bytes) {
        udpSendTo(socket, netAddress{LOOPBACK, to}, bytes.data(), bytes.size());
    }
    void impair(uint16_t to, const std::vector<unsigned char>& bytes) {
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        if (chance(random) < 0.2) {
            ++dropped;
            return;
        }
        const int copies = chance(random) < 0.05 ? 2 : 1;
        duplicated += copies - 1;
        for (int c = 0; c < copies; ++c) {
            if (chance(random) < 0.1) {
                ++reordered;
                delayed.push_back(held{to, bytes, 1 + static_cast<int>(random() % 4)});
            } else {
                send(to, bytes);
            }
        }
    }
};

// Sends 10 000 random messages from one end and receives them on the
// other, moving the clock 20 ms a round, until all arrived or a real-time
// limit passed.
void expectStreamArrives(NET_CONN* from, NET_CONN* to, unsigned seed, lossyRelay& relay) {
    std::mt19937 random(seed);
    std::vector<std::string> messages(10000);
    for (std::string& m : messages) {
        m.resize(1 + random() % 512);
        for (char& c : m) c = static_cast<char>(random());
    }
    std::vector<std::string> received;
    std::size_t sent = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    char buffer[1024];
    while (received.size() < messages.size() && std::chrono::steady_clock::now() < deadline) {
        while (sent < messages.size() &&
               net_send_rdm(from, messages[sent].data(), static_cast<int>(messages[sent].size())) == 0) {
            ++sent;
        }
        relay.pump();
        for (int n; (n = net_receive_rdm(to, buffer, sizeof buffer)) != 0;) {
            ASSERT_GT(n, 0) << "after " << received.size() << " messages";
            received.emplace_back(buffer, static_cast<std::size_t>(n));
        }
        relay.pump();
        net_query_rdm(from);
        advanceClock(20);
    }
    ASSERT_EQ(received.size(), messages.size()) << "seed " << seed;
    EXPECT_TRUE(received == messages) << "seed " << seed;
}

}  // namespace

TEST_F(NetTransport, TenThousandMessagesEachWaySurviveALossyRelay) {
    connectedPair pair;
    ASSERT_EQ(pair.client->status, NET_CONN_CONNECTED);
    lossyRelay relay(pair, 12345);
    expectStreamArrives(pair.client, pair.server, 2, relay);
    expectStreamArrives(pair.server, pair.client, 3, relay);
    EXPECT_GT(relay.dropped, 2000);
    EXPECT_GT(relay.duplicated, 100);
    EXPECT_GT(relay.reordered, 100);
}
