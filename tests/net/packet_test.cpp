#include "net/packet.h"

#include <gtest/gtest.h>

#include <string>

// Reads stop at the message's end, writes and assigns at the buffer's end.
TEST(Packet, ReadsWritesAndAssignsNeverPassTheirEnd) {
    packet p;
    ASSERT_TRUE(p.assign("\x01\x02\x03", 3));
    p.get();
    char bytes[3] = {9, 9, 9};
    p.read(bytes, 3);  // one byte more than is left
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(p.position, 3);

    const std::string full(PACKET_SIZE + 1, 'x');
    EXPECT_FALSE(p.assign(full.data(), PACKET_SIZE + 1));
    EXPECT_EQ(p.length, 0);
    p.write(full.data(), PACKET_SIZE);
    EXPECT_TRUE(p.ok());
    p.put('y');
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.position, PACKET_SIZE);
    EXPECT_EQ(p.receive(nullptr), 0);
}
