#include "world/bullet.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "world/bullet_pool.h"
#include "world_fixtures.h"

using namespace worldtest;

class Bullets : public testing::Test {
protected:
    scopedWorkDir dir;
    worldScene scene;
    std::vector<bulletRequest> sounds;
    shotSoundPlayer countSounds = [this](const bulletRequest& r) { sounds.push_back(r); };

    void SetUp() override { writeBulletFiles(); }
};

TEST_F(Bullets, FlyTheirRangeAtTheirSpeed) {
    const struct {
        int weapon, steps, distance;
    } cases[] = {{0, 30, 390}, {1, 14, 182}, {2, 40, 520}, {3, 60, 900}, {6, 7, 126}, {7, 10, 180}};
    for (const auto& c : cases) {
        bullet b;
        b.init(c.weapon, 64, 100, 100, nullptr, true);
        int steps = 0;
        // With nothing in the way; bullets without splinters run no script.
        while (moveRequest* r = b.update()) {
            steps++;
            EXPECT_EQ(r->getScripts(), 0) << c.weapon;
            EXPECT_EQ(r->getRights(), 2) << c.weapon;
            EXPECT_EQ(r->getRadius(), bulletHeight(c.weapon) / 2) << c.weapon;
            EXPECT_TRUE(b.returnRequest(r)) << c.weapon;
        }
        EXPECT_EQ(steps, c.steps) << c.weapon;
        EXPECT_FALSE(b.isActive()) << c.weapon;
        EXPECT_NEAR(b.posX - 100, c.distance, 1e-3) << c.weapon;
        EXPECT_NEAR(b.posY, 100, 1e-3) << c.weapon;
        EXPECT_EQ(realRange[c.weapon], c.distance) << c.weapon;  // what enemies keep to
    }
}

TEST_F(Bullets, ADeclineInOneAxisStillStopsTheBullet) {
    bullet b;
    b.init(2, 64, 50, 50, nullptr, true);
    moveRequest* r = b.update();
    r->declineX();
    EXPECT_TRUE(b.returnRequest(r));
    EXPECT_FALSE(b.isActive());
    EXPECT_FLOAT_EQ(b.posX, 50);
    EXPECT_TRUE(b.returnRequest(nullptr));
}

TEST_F(Bullets, WeaponFourSplintersAtAWall) {
    bulletPool pool;
    pool.slots[0].init(4, 64, 100, 200, nullptr, true);
    int moves = 0;
    const bulletJudge wallAfterTen = [&](moveRequest* r, const bullet& b) {
        if (b.type != 4) return;
        EXPECT_EQ(r->getScripts(), 4);
        EXPECT_EQ(r->getRights(), 3);
        EXPECT_EQ(r->getRadius(), bulletHeight(4) / 2);
        if (++moves == 10) r->declineY();
    };
    for (int step = 0; step < 10; step++) pool.fly(wallAfterTen, countSounds);

    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].getType(), 6);
    std::vector<int> directions;
    for (const bullet& b : pool.slots) {
        if (!b.isActive()) continue;
        EXPECT_EQ(b.getType(), 6) << directions.size();
        EXPECT_EQ(b.team, nullptr) << directions.size();
        directions.push_back(b.direction);
    }
    ASSERT_EQ(directions.size(), 37u);
    for (int i = 0; i < 37; i++) EXPECT_EQ(directions[i], 7 * i) << i;
    // The splinters start where the bullet stood when it was stopped. The
    // first takes the burst bullet's own slot; those in later slots fly
    // their first step in the same pass.
    EXPECT_FLOAT_EQ(pool.slots[0].posX, 100 + 9 * 5);
    EXPECT_FLOAT_EQ(pool.slots[0].posY, 200);
    EXPECT_EQ(pool.slots[0].age, 0);
    EXPECT_EQ(pool.slots[1].age, 1);
    EXPECT_NEAR(pool.slots[2].posX, 145 + offsetAt(SPEED[6], 14).dx, 1e-3);
}

TEST_F(Bullets, WeaponFourSplintersAtTheEndOfItsRange) {
    bulletPool pool;
    pool.slots[0].init(4, 128, 0, 0, nullptr, true);
    const bulletJudge nothing = [](moveRequest*, const bullet&) {};
    int steps = 0;
    while (pool.slots[0].getType() == 4) {
        pool.fly(nothing, countSounds);
        steps++;
    }
    EXPECT_EQ(steps, 54);
    int splinters = 0;
    for (const bullet& b : pool.slots) splinters += b.isActive() && b.getType() == 6;
    EXPECT_EQ(splinters, 37);
    EXPECT_NEAR(pool.slots[0].posY, 270, 1e-3);
}

TEST_F(Bullets, WeaponFiveBurstsIntoSixtyFourSplinters) {
    bulletPool pool;
    bulletRequest burst;
    burst.set(10, 10, 0, 7, nullptr);
    pool.explosion(burst, countSounds);
    EXPECT_EQ(sounds.size(), 1u);
    for (int i = 0; i < 64; i++) {
        EXPECT_TRUE(pool.slots[i].isActive()) << i;
        EXPECT_EQ(pool.slots[i].direction, 4 * i) << i;
    }
    EXPECT_FALSE(pool.slots[64].isActive());

    // Types that don't come from a burst make nothing.
    for (int type : {1, 9}) {
        bulletRequest odd;
        odd.set(0, 0, 0, type, nullptr);
        pool.explosion(odd, countSounds);
        EXPECT_FALSE(pool.slots[64].isActive()) << type;
    }
}

TEST_F(Bullets, ShotgunFiresAFanAndPlaysItsSoundPerBullet) {
    bulletPool pool;
    int shooter = 0;
    bulletRequest shot;
    shot.set(30, 40, 100, 1, &shooter);
    pool.slots[1].init(0, 0, 0, 0, nullptr, true);  // taken: the fan goes round it
    pool.addBullets(shot, countSounds);
    EXPECT_EQ(sounds.size(), 5u);
    const int expected[] = {92, 96, 100, 104, 108};
    const int slots[] = {0, 2, 3, 4, 5};
    for (int k = 0; k < 5; k++) {
        const bullet& b = pool.slots[slots[k]];
        EXPECT_TRUE(b.isActive()) << k;
        EXPECT_EQ(b.getType(), 1) << k;
        EXPECT_EQ(b.direction, expected[k]) << k;
        EXPECT_EQ(b.team, &shooter) << k;
    }
    EXPECT_FALSE(pool.slots[6].isActive());
}

TEST_F(Bullets, SingleBulletsDeviateBelowTheirSpread) {
    // The sign comes from the same random number's lowest bit, so with a
    // spread of 2 the deviation is 0 or -1; spreads of 0 and 1 never deviate.
    const struct {
        int weapon;
        std::set<int> directions;
    } cases[] = {{0, {49, 50}}, {3, {50}}, {4, {50}}};
    std::srand(12345);
    for (const auto& c : cases) {
        std::set<int> seen;
        bulletRequest r;
        r.set(0, 0, 50, c.weapon, nullptr);
        for (int i = 0; i < 200; i++) seen.insert(shotDirection(r, 0));
        EXPECT_EQ(seen, c.directions) << c.weapon;
    }
}

TEST_F(Bullets, AFullPoolDropsBulletsButStillSoundsThem) {
    bulletPool pool;
    for (bullet& b : pool.slots) b.init(2, 0, 0, 0, nullptr, true);
    bulletRequest shot;
    shot.set(0, 0, 0, 1, nullptr);
    pool.addBullets(shot, countSounds);
    EXPECT_EQ(sounds.size(), 5u);
    for (const bullet& b : pool.slots) EXPECT_EQ(b.getType(), 2);
    bulletRequest burst;
    burst.set(0, 0, 0, 6, nullptr);
    pool.explosion(burst, countSounds);
    for (const bullet& b : pool.slots) EXPECT_EQ(b.getType(), 2);
    // A weapon outside the table fires nothing.
    shot.type = -1;
    pool.addBullets(shot, countSounds);
    EXPECT_EQ(sounds.size(), 6u);
}

TEST_F(Bullets, SlotsFreedInFlightTakeSplintersAfterAFullPool) {
    bulletPool pool;
    for (bullet& b : pool.slots) b.init(2, 0, 0, 0, nullptr, true);
    pool.slots[0].init(0, 0, 0, 0, nullptr, true);
    pool.slots[0].age = RANGE[0] - 1;
    pool.slots[1].init(5, 0, 500, 500, nullptr, true);
    pool.slots[1].age = RANGE[5] - 1;
    bulletRequest shot;
    shot.set(0, 0, 0, 0, nullptr);
    pool.addBullets(shot, countSounds);  // dropped: the pool is full
    pool.fly([](moveRequest*, const bullet&) {}, countSounds);
    // The pistol bullet ended and the burst bullet burst: two splinters.
    for (int i : {0, 1}) {
        EXPECT_TRUE(pool.slots[i].isActive()) << i;
        EXPECT_EQ(pool.slots[i].getType(), 7) << i;
        EXPECT_EQ(pool.slots[i].direction, 4 * i) << i;
        EXPECT_FLOAT_EQ(pool.slots[i].posY, 500 - SPEED[5]) << i;
    }
}

TEST_F(Bullets, SharedSpritesStayAndSoundsGoWithABullet) {
    {
        bullet b;
        for (int w = 0; w < WEAPON_COUNT; w++) {
            ASSERT_NE(bulletSprites[w], nullptr);
            EXPECT_EQ(bulletSprites[w]->h, bulletHeight(w));
            EXPECT_TRUE(bulletSounds[w].isActive());
        }
        bulletRequest shot;
        shot.set(0, 0, 0, 0, nullptr);
        playShotSound(shot);
    }
    for (int w = 0; w < WEAPON_COUNT; w++) {
        EXPECT_NE(bulletSprites[w], nullptr);
        EXPECT_FALSE(bulletSounds[w].isActive());
    }
    bullet again;
    EXPECT_TRUE(bulletSounds[5].isActive());
}

TEST_F(Bullets, DrawsOnlyWhileFlying) {
    bulletPool pool;
    pool.slots[3].init(3, 0, 200, 150, nullptr, true);
    pool.slots[4].init(3, 0, 300, 150, nullptr, true);
    pool.slots[4].active = false;
    pool.draw(100, 100);
    const int yellow = makecol(255, 255, 0);
    EXPECT_EQ(getpixel(global.buffer, 100, 50), yellow);
    EXPECT_EQ(getpixel(global.buffer, 99, 50 - bulletHeight(3) / 2), yellow);
    EXPECT_EQ(getpixel(global.buffer, 200, 50), 0);
}

TEST(BulletsDeathTest, MissingSpriteEndsWithError6) {
    scopedWorkDir dir;
    EXPECT_EXIT(bullet b, testing::ExitedWithCode(0), "Error006: Loading bitmap \"gfx/bullet0.tga\" failed");
}
