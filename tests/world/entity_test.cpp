#include "world/entity.h"

#include <gtest/gtest.h>

TEST(MoveRequest, DeclinesResetTheirAxesAndSetClearsTheDecline) {
    moveRequest both;
    both.set(1.5f, 2.5f, 10.0f, 20.0f, 1, 1, 8);
    EXPECT_TRUE(both.wasRequested());
    EXPECT_FALSE(both.wasDeclined());
    both.declineX();
    EXPECT_TRUE(both.wasDeclined());
    EXPECT_FLOAT_EQ(both.getNewPosX(), 1.5f);
    EXPECT_FLOAT_EQ(both.getNewPosY(), 20.0f);
    both.declineY();
    moveRequest whole;
    whole.set(1.5f, 2.5f, 10.0f, 20.0f, 1, 1, 8);
    whole.decline();
    EXPECT_EQ(both.getNewPosX(), whole.getNewPosX());
    EXPECT_EQ(both.getNewPosY(), whole.getNewPosY());
    EXPECT_TRUE(whole.wasDeclined());

    whole.set(0, 0, 3, 4, 4, 3, 2, true);
    EXPECT_FALSE(whole.wasDeclined());
    EXPECT_EQ(whole.getScripts(), 4);
    EXPECT_EQ(whole.getRights(), 3);
    EXPECT_EQ(whole.getRadius(), 2);
}

TEST(Entity, IntegerPositionTruncatesTowardZero) {
    Entity e;
    EXPECT_EQ(e.getPosX(), 0);
    e.getFlPosX() = -0.5f;
    e.getFlPosY() = 31.9f;
    EXPECT_EQ(e.getPosX(), 0);
    EXPECT_EQ(e.getPosY(), 31);
    e.getFlPosX() = -1.5f;
    EXPECT_EQ(e.getPosX(), -1);
}

TEST(Entity, FacingsPointUpRightDownLeft) {
    const facingOffset up = offsetAt(10, 0);
    const facingOffset right = offsetAt(10, 64);
    const facingOffset down = offsetAt(10, 128);
    const facingOffset left = offsetAt(10, 192);
    EXPECT_NEAR(up.dx, 0, 1e-9);
    EXPECT_NEAR(up.dy, -10, 1e-9);
    EXPECT_NEAR(right.dx, 10, 1e-9);
    EXPECT_NEAR(right.dy, 0, 1e-9);
    EXPECT_NEAR(down.dy, 10, 1e-9);
    EXPECT_NEAR(left.dx, -10, 1e-9);
    // Facings outside 0 to 255 mean the same direction.
    EXPECT_NEAR(offsetAt(10, -64).dx, -10, 1e-9);
}

TEST(BulletRequest, CarriesTheShooter) {
    int shooter = 0;
    bulletRequest r;
    EXPECT_EQ(r.team, nullptr);
    r.set(1, 2, 3, 4, &shooter);
    EXPECT_EQ(r.team, &shooter);
    EXPECT_EQ(r.getDir(), 3);
    EXPECT_EQ(r.getType(), 4);
}
