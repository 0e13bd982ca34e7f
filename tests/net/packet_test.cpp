#include "net/packet.h"

#include <gtest/gtest.h>

#include <string>

TEST(Packet, ReadsNeverPassTheMessageEnd) {
    packet p;
    ASSERT_TRUE(p.assign("\x01\x02\x03", 3));
    char bytes[4] = {9, 9, 9, 9};
    p.read(bytes, 3);
    EXPECT_TRUE(p.ok());
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(p.get(), 0);
    EXPECT_FALSE(p.ok());

    ASSERT_TRUE(p.assign("\x01\x02\x03", 3));
    p.get();
    p.read(bytes, 3);  // one byte more than is left
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(p.position, 3);
    EXPECT_EQ(p.receive(nullptr), 0);
}

TEST(Packet, WritesAndAssignsStopAtTheBufferEnd) {
    packet p;
    const std::string full(PACKET_SIZE + 1, 'x');
    p.reset();
    p.write(full.data(), PACKET_SIZE);
    EXPECT_TRUE(p.ok());
    EXPECT_EQ(p.position, PACKET_SIZE);
    p.put('y');
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.position, PACKET_SIZE);

    p.reset();
    p.put('a');
    p.write(full.data(), PACKET_SIZE);  // one byte too many
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.position, 1);

    EXPECT_TRUE(p.assign(full.data(), PACKET_SIZE));
    EXPECT_EQ(p.length, PACKET_SIZE);
    EXPECT_FALSE(p.assign(full.data(), PACKET_SIZE + 1));
    EXPECT_EQ(p.length, 0);
}
