#include "platform/almp3.h"

#include <gtest/gtest.h>

// Playing, stopping and replaying are checked through the game's sounds.
TEST(Almp3Test, NeedsDataHoldingAFrame) {
    const unsigned char silence[4096] = {};
    EXPECT_EQ(almp3_create_mp3(nullptr, 100), nullptr);
    EXPECT_EQ(almp3_create_mp3(silence, 0), nullptr);
    EXPECT_EQ(almp3_create_mp3(silence, sizeof silence), nullptr);
}
