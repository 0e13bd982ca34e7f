#include "world/entity.h"

#include <gtest/gtest.h>

TEST(MoveRequest, DeclinesResetTheirAxesAndSetClearsTheDecline) {
    moveRequest r;
    r.set(1.5f, 2.5f, 10.0f, 20.0f, 1, 1, 8);
    EXPECT_TRUE(r.wasRequested() && !r.wasDeclined());
    r.declineX();
    EXPECT_TRUE(r.wasDeclined() && r.getNewPosX() == 1.5f && r.getNewPosY() == 20.0f);
    r.declineY();
    EXPECT_EQ(r.getNewPosY(), 2.5f);
    r.set(0, 0, 3, 4, 4, 3, 2, true);
    EXPECT_FALSE(r.wasDeclined());
}
