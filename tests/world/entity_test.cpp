#include "world/entity.h"

#include <gtest/gtest.h>

TEST(MoveRequest, DeclinesResetTheirAxesAndSetClearsTheDecline) {
    moveRequest both, whole;
    both.set(1.5f, 2.5f, 10.0f, 20.0f, 1, 1, 8);
    EXPECT_TRUE(both.wasRequested() && !both.wasDeclined());
    both.declineX();
    EXPECT_TRUE(both.wasDeclined() && both.getNewPosX() == 1.5f && both.getNewPosY() == 20.0f);
    both.declineY();
    whole.set(1.5f, 2.5f, 10.0f, 20.0f, 1, 1, 8);
    whole.decline();
    EXPECT_TRUE(both.getNewPosX() == whole.getNewPosX() && both.getNewPosY() == whole.getNewPosY());
    whole.set(0, 0, 3, 4, 4, 3, 2, true);
    EXPECT_FALSE(whole.wasDeclined());
}

