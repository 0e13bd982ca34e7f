#include "app/network_start.h"

#include <gtest/gtest.h>

#include "net/transport.h"
#include "support/test_files.h"

TEST(NetworkStart, TakesTheSocketDriver) {
    scopedWorkDir dir;
    EXPECT_EQ(startNetwork(), NET_DRIVER_SOCKETS);
}

TEST(NetworkStart, DisabledDriverEndsTheProgram) {
    scopedWorkDir dir;
    writeFileText("libnet.cfg", "[internet]\ndisable = yes\n");
    EXPECT_EXIT(startNetwork(), testing::ExitedWithCode(0), "Error014: Network error:\nNo network driver found!");
}

TEST(NetworkStart, DisabledOnTheWindowsSectionToo) {
    scopedWorkDir dir;
    writeFileText("libnet.cfg", "[winsock_win]\ndisable = 1\n");
    EXPECT_EXIT(startNetwork(), testing::ExitedWithCode(0), "No network driver found!");
}
