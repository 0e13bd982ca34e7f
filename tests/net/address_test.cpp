#include "net/address.h"

#include <gtest/gtest.h>

TEST(NetAddress, MissingOrZeroPortMeansTheConfiguredPort) {
    netAddress a;
    ASSERT_TRUE(parseNetAddress("127.0.0.1", 24785, a));
    EXPECT_EQ(a.host, 0x7f000001u);
    EXPECT_EQ(a.port, 24785);
    ASSERT_TRUE(parseNetAddress("127.0.0.1:0", 31000, a));
    EXPECT_EQ(a.port, 31000);
    ASSERT_TRUE(parseNetAddress("10.1.2.3:4000", 24785, a));
    EXPECT_EQ(a.host, 0x0a010203u);
    EXPECT_EQ(a.port, 4000);
}

TEST(NetAddress, EmptyHostIsAnyAddressAndStarIsBroadcast) {
    netAddress a;
    ASSERT_TRUE(parseNetAddress("", 24785, a));
    EXPECT_EQ(a, (netAddress{0, 24785}));
    ASSERT_TRUE(parseNetAddress(":5000", 24785, a));
    EXPECT_EQ(a, (netAddress{0, 5000}));
    ASSERT_TRUE(parseNetAddress("*", 24785, a));
    EXPECT_EQ(a, (netAddress{0xffffffffu, 24785}));
    ASSERT_TRUE(parseNetAddress("*:6000", 24785, a));
    EXPECT_EQ(a, (netAddress{0xffffffffu, 6000}));
}

TEST(NetAddress, NamesAreResolved) {
    netAddress a;
    ASSERT_TRUE(parseNetAddress("localhost:1234", 24785, a));
    EXPECT_EQ(a, (netAddress{0x7f000001u, 1234}));
}

TEST(NetAddress, BadPortsAndOverlongTextsAreRefused) {
    netAddress a;
    EXPECT_FALSE(parseNetAddress("127.0.0.1:65536", 24785, a));
    EXPECT_TRUE(parseNetAddress("127.0.0.1:65535", 24785, a));
    EXPECT_FALSE(parseNetAddress("127.0.0.1:12ab", 24785, a));
    EXPECT_FALSE(parseNetAddress("127.0.0.1:-1", 24785, a));
    EXPECT_FALSE(parseNetAddress(std::string(200, '1') + ":1", 24785, a));
}

TEST(NetAddress, FormatLeavesOutTheAnyHost) {
    EXPECT_EQ(formatNetAddress(netAddress{0x7f000001u, 24785}), "127.0.0.1:24785");
    EXPECT_EQ(formatNetAddress(netAddress{0xc0a80a01u, 80}), "192.168.10.1:80");
    EXPECT_EQ(formatNetAddress(netAddress{0, 5000}), ":5000");
}
