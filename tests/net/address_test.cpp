#include "net/address.h"

#include <gtest/gtest.h>

#include <string>

// Parsed with 24785 as the configured port, and formatted back (the any
// host left out).
TEST(NetAddress, TextsParseToHostAndPortOrAreRefusedAndFormatBack) {
    const struct {
        std::string text;
        bool ok;
        netAddress expected;
        std::string formatted;
    } cases[] = {
        {"127.0.0.1", true, {0x7f000001u, 24785}, "127.0.0.1:24785"},  // no port: the configured one
        {"", true, {0, 24785}, ":24785"},  // empty host: any address
        {"*", true, {0xffffffffu, 24785}, "255.255.255.255:24785"},  // broadcast
        {"localhost:1234", true, {0x7f000001u, 1234}, "127.0.0.1:1234"},
        {"192.168.10.1:65535", true, {0xc0a80a01u, 65535}, "192.168.10.1:65535"},
        {"127.0.0.1:65536", false, {}, ""},
        {"127.0.0.1:12ab", false, {}, ""},
        {"127.0.0.1:-1", false, {}, ""},
        {std::string(200, '1') + ":1", false, {}, ""},
    };
    for (const auto& c : cases) {
        netAddress a;
        ASSERT_EQ(parseNetAddress(c.text, 24785, a), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(a, c.expected) << c.text;
            EXPECT_EQ(formatNetAddress(a), c.formatted) << c.text;
        }
    }
}
