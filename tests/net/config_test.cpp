// libnet.cfg: its settings and the driver it leaves the game.
#include "net/config.h"

#include <gtest/gtest.h>

#include <string>

#include "app/network_start.h"
#include "net/transport.h"
#include "support/test_files.h"

// Queue sizes round up to powers of two within bounds; [internet] overrides
// [conns] whatever the order; zero keeps the default, junk is skipped.
TEST(NetConfig, SettingsAreReadByTheirRules) {
    netConfig c;
    readNetConfig("[conns]\nconn_outqueue_size = 64\nconn_inqueue_size=17\n", c);
    EXPECT_EQ(c.inQueueSize, 32);
    EXPECT_EQ(c.outQueueSize, 64);
    readNetConfig("[conns]\nconn_outqueue_size = 1\nconn_inqueue_size = 99999999999\n", c);
    EXPECT_EQ(c.outQueueSize, NET_MIN_QUEUE);
    EXPECT_EQ(c.inQueueSize, NET_MAX_QUEUE);

    readNetConfig("[internet]\nconn_resend_rate = 250\nport = 3000\nforceport = 1\n"
                  "[conns]\nconn_resend_rate = 100\nconn_outqueue_size = 8\n",
                  c);
    EXPECT_EQ(c.resendRate, 250u);
    EXPECT_EQ(c.outQueueSize, 8);
    EXPECT_EQ(c.port, 3000);
    EXPECT_TRUE(c.forcePort);

    c = netConfig{};
    readNetConfig("# comment\n[internet]\nport = 0\nconn_resend_rate = 0\nno equals sign\n#port = 5\n"
                  "port = 70000\n[other]\nport = 9\n",
                  c);
    EXPECT_EQ(c.port, NET_DEFAULT_PORT);
    EXPECT_EQ(c.resendRate, 500u);
    readNetConfig("[internet]\r\nport = 4000\r\n" + std::string(1100, 'x') + "\nport = 4001\n", c);
    EXPECT_EQ(c.port, 4001);  // CR LF endings; the overlong line is skipped
}

// "disable" counts in the driver sections only, whatever its spelling.
TEST(NetworkStart, TakesTheSocketDriverUnlessItsSectionDisablesIt) {
    scopedWorkDir dir;
    EXPECT_EQ(startNetwork(), NET_DRIVER_SOCKETS);
    writeFileText("libnet.cfg", "[internet]\ndisable = no\n[conns]\ndisable = 1\n");
    EXPECT_EQ(startNetwork(), NET_DRIVER_SOCKETS);
    for (const char* config : {"[internet]\ndisable = yes\n", "[winsock_win]\ndisable = 1\n"}) {
        writeFileText("libnet.cfg", config);
        EXPECT_EXIT(startNetwork(), testing::ExitedWithCode(0), "Error014: Network error:\nNo network driver found!")
            << config;
    }
}
