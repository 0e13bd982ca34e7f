#include "net/address.h"

#include <gtest/gtest.h>

#include <string>

TEST(NetAddress, TextsParseToHostAndPortOrAreRefused) {
    const struct {
        std::string text;
        bool ok;
        netAddress expected;
    } cases[] = {
        {"127.0.0.1", true, {0x7f000001u, 24785}},  // no port: the configured one
        {"127.0.0.1:0", true, {0x7f000001u, 24785}},
        {"10.1.2.3:4000", true, {0x0a010203u, 4000}},
        {"", true, {0, 24785}},  // empty host: any address
        {":5000", true, {0, 5000}},
        {"*", true, {0xffffffffu, 24785}},  // broadcast
        {"*:6000", true, {0xffffffffu, 6000}},
        {"localhost:1234", true, {0x7f000001u, 1234}},
        {"127.0.0.1:65535", true, {0x7f000001u, 65535}},
        {"127.0.0.1:65536", false, {}},
        {"127.0.0.1:12ab", false, {}},
        {"127.0.0.1:-1", false, {}},
        {std::string(200, '1') + ":1", false, {}},
    };
    for (const auto& c : cases) {
        netAddress a;
        ASSERT_EQ(parseNetAddress(c.text, 24785, a), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(a, c.expected) << c.text;
        }
    }
}

TEST(NetAddress, FormatLeavesOutTheAnyHost) {
    EXPECT_EQ(formatNetAddress(netAddress{0x7f000001u, 24785}), "127.0.0.1:24785");
    EXPECT_EQ(formatNetAddress(netAddress{0xc0a80a01u, 80}), "192.168.10.1:80");
    EXPECT_EQ(formatNetAddress(netAddress{0, 5000}), ":5000");
}
