#include "app/network_start.h"

#include <gtest/gtest.h>

#include "net/transport.h"
#include "support/test_files.h"

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
