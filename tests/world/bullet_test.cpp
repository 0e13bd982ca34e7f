#include "world/bullet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "world/bullet_pool.h"
#include "world/entity.h"
#include "world_fixtures.h"

using namespace worldtest;

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

class Bullets : public testing::Test {
protected:
    scopedWorkDir dir;
    bool files = (writeBulletFiles(), true);  // before the pool's bullets load them
    worldScene scene;
    bulletPool pool;
    std::vector<bulletRequest> sounds;
    shotSoundPlayer countSounds = [this](const bulletRequest& r) { sounds.push_back(r); };
    bulletRequest shot(int weapon, int dir = 0, float x = 0, float y = 0, void* team = nullptr) {
        bulletRequest r;
        r.set(x, y, dir, weapon, team);
        return r;
    }
};

TEST_F(Bullets, FlyTheirRangeAtTheirSpeedUnlessDeclined) {
    const struct { int weapon, steps, distance; } cases[] = {
        {0, 30, 390}, {1, 14, 182}, {2, 40, 520}, {3, 60, 900}, {6, 7, 126}, {7, 10, 180}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.weapon);
        bullet b;
        b.init(c.weapon, 64, 100, 100, nullptr, true);
        int steps = 0;
        // With nothing in the way; bullets without splinters run no script.
        for (; moveRequest* r = b.update(); steps++) {
            EXPECT_TRUE(r->getScripts() == 0 && r->getRights() == 2 && r->getRadius() == bulletHeight(c.weapon) / 2);
            EXPECT_TRUE(b.returnRequest(r));
        }
        EXPECT_TRUE(steps == c.steps && !b.isActive());
        EXPECT_NEAR(b.posX - 100, c.distance, 1e-3);
        EXPECT_EQ(realRange[c.weapon], c.distance);  // what enemies keep to
    }
    // A decline in one axis still stops the bullet where it stood.
    bullet b;
    b.init(2, 64, 50, 50, nullptr, true);
    moveRequest* r = b.update();
    r->declineX();
    EXPECT_TRUE(b.returnRequest(r) && !b.isActive() && b.posX == 50 && b.returnRequest(nullptr));
}

TEST_F(Bullets, FansAndBurstsTakeTheFreeSlotsInOrderWithASoundPerShotBullet) {
    pool.slots[1].init(0, 0, 0, 0, nullptr, true);  // taken: the shotgun's fan goes round it
    pool.addBullets(shot(1, 100, 30, 40, this), countSounds);
    const int slots[] = {0, 2, 3, 4, 5};
    for (int k = 0; k < 5; k++) {
        const bullet& b = pool.slots[slots[k]];
        EXPECT_TRUE(b.isActive() && b.getType() == 1 && b.team == this && b.direction == 92 + 4 * k) << k;
    }
    // Weapon five bursts into 64 splinters; other types into nothing.
    pool.explosion(shot(7, 0, 10, 10), countSounds);
    for (int i = 0; i < 64; i++) EXPECT_EQ(pool.slots[6 + i].isActive() ? pool.slots[6 + i].direction : -1, 4 * i) << i;
    for (int type : {1, 2, 9}) pool.explosion(shot(type), countSounds);
    EXPECT_FALSE(pool.slots[70].isActive());
    EXPECT_EQ(sounds.size(), 6u);
}

TEST_F(Bullets, SingleBulletsDeviateBelowTheirSpread) {
    // The sign comes from the same random number's lowest bit, so with a
    // spread of 2 the deviation is 0 or -1; spreads of 0 and 1 never deviate.
    const struct { int weapon; std::set<int> directions; } cases[] = {{0, {49, 50}}, {3, {50}}, {4, {50}}, {-1, {50}}};
    std::srand(12345);
    for (const auto& c : cases) {
        std::set<int> seen;
        for (int i = 0; i < 200; i++) seen.insert(shotDirection(shot(c.weapon, 50), 0));
        EXPECT_EQ(seen, c.directions) << c.weapon;
    }
}

TEST_F(Bullets, AFullPoolDropsShotsButSoundsThemAndTakesSplintersInSlotsFreedInFlight) {
    for (bullet& b : pool.slots) b.init(2, 0, 0, 0, nullptr, true);
    pool.addBullets(shot(1), countSounds);
    pool.explosion(shot(6), countSounds);
    for (const bullet& b : pool.slots) ASSERT_EQ(b.getType(), 2);
    pool.addBullets(shot(-1), countSounds);  // a weapon outside the table fires nothing
    EXPECT_EQ(sounds.size(), 6u);

    // The pistol bullet ends and the burst bullet bursts: two splinters.
    pool.slots[0].init(0, 0, 0, 0, nullptr, true);
    pool.slots[0].age = RANGE[0] - 1;
    pool.slots[1].init(5, 0, 500, 500, nullptr, true);
    pool.slots[1].age = RANGE[5] - 1;
    pool.addBullets(shot(0), countSounds);  // dropped: the pool is full
    pool.fly([](moveRequest*, const bullet&) {}, countSounds);
    for (int i : {0, 1}) {
        EXPECT_TRUE(pool.slots[i].isActive() && pool.slots[i].getType() == 7 && pool.slots[i].direction == 4 * i) << i;
        EXPECT_FLOAT_EQ(pool.slots[i].posY, 500 - SPEED[5]) << i;
    }
}

