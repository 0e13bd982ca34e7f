#include "world/enemy.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

namespace {

constexpr float SPEED_PX = 2.0f;

struct enemyAt : placedUnit<Enemy> {
    explicit enemyAt(int weapon, int triggerDist = 10000, int shootFreq = 0)
        : placedUnit<Enemy>(SPEED_PX, weapon, triggerDist, shootFreq) {
        unit.initialise(400, 300, 64, 0);  // facing right, towards the targets below
    }
    // One step's move towards a target `distance` pixels to the right.
    std::unique_ptr<moveRequest> step(int distance) {
        return std::unique_ptr<moveRequest>(unit.getMoveRequest(400 + distance, 300));
    }
};

}  // namespace

class EnemyBehaviour : public testing::Test {
protected:
    worldScene scene;
};

TEST_F(EnemyBehaviour, NoticesThePlayerInsideTheTriggerDistance) {
    enemyAt e(0, 300);
    EXPECT_NE(e.step(299), nullptr);
    EXPECT_EQ(e.unit.AIState, 2);
    EXPECT_EQ(e.step(300), nullptr);
    EXPECT_EQ(e.unit.AIState, 0);
    EXPECT_EQ(e.unit.state, STATE_STANDING);
    // No target at all.
    EXPECT_EQ(e.unit.getMoveRequest(-1, -1), nullptr);
    EXPECT_EQ(e.unit.AIState, 0);
}

TEST_F(EnemyBehaviour, NegativeTriggerDistanceWaitsUntilDrawnOnScreen) {
    enemyAt e(0, -1);
    EXPECT_EQ(e.step(10), nullptr);
    EXPECT_EQ(e.step(5000), nullptr);
    e.unit.draw(400 + 4, 0);  // just inside the left edge (half width 5)
    EXPECT_NE(e.step(5000), nullptr);
    EXPECT_EQ(e.unit.AIState, 0);  // still approaching: beyond its range
    e.step(200);
    EXPECT_EQ(e.unit.AIState, 2);
    e.unit.draw(400 + 5, 0);
    EXPECT_EQ(e.step(100), nullptr);
    EXPECT_EQ(e.unit.AIState, 0);

    // Every edge, with half width 5 and half height 6.
    const struct {
        int cameraX, cameraY;
        bool seen;
    } cases[] = {{404, 0, true},      {405, 0, false},     {-404, -305, true},
                 {-405, -305, false}, {-404, -306, false}, {0, 306, false}};
    for (const auto& c : cases) {
        e.unit.draw(c.cameraX, c.cameraY);
        EXPECT_EQ(e.unit.onScreen, c.seen) << c.cameraX << ", " << c.cameraY;
    }
}

TEST_F(EnemyBehaviour, KeepsToTheStandOffBandOfItsWeapon) {
    enemyAt e(0);
    e.unit.onScreen = true;
    ASSERT_EQ(realRange[0], 390);
    for (int d : {150, 200, 240}) {
        EXPECT_EQ(e.step(d), nullptr) << d;
        EXPECT_EQ(e.unit.state, STATE_STANDING) << d;
        EXPECT_EQ(e.unit.AIState, 2) << d;
    }
    auto closer = e.step(241);
    ASSERT_NE(closer, nullptr);
    EXPECT_NEAR(closer->getNewPosX() - closer->getOldPosX(), SPEED_PX, 1e-4);
    EXPECT_EQ(closer->getScripts(), 0);
    EXPECT_EQ(closer->getRights(), 1);
    EXPECT_EQ(closer->getRadius(), UNIT_RADIUS);
    EXPECT_EQ(e.unit.state, STATE_WALKING);
    auto away = e.step(149);
    ASSERT_NE(away, nullptr);
    EXPECT_NEAR(away->getNewPosX() - away->getOldPosX(), -0.75 * SPEED_PX, 1e-4);
    EXPECT_EQ(e.unit.walkCounter, 2);

    // Beyond the flight distance it is approaching, not engaging.
    e.step(390);
    EXPECT_EQ(e.unit.AIState, 2);
    e.step(391);
    EXPECT_EQ(e.unit.AIState, 0);

    // Off screen, or with weapon 3, it never stops.
    e.unit.onScreen = false;
    EXPECT_NE(e.step(200), nullptr);
    enemyAt rifle(3);
    rifle.unit.onScreen = true;
    EXPECT_NE(rifle.step(500), nullptr);
}

// The turning itself is the units' rule; an enemy turns towards the player.
TEST_F(EnemyBehaviour, TurnsTowardsThePlayer) {
    enemyAt e(0);
    e.unit.direction = 64;
    auto r = std::unique_ptr<moveRequest>(e.unit.getMoveRequest(400, 300 + 100));  // straight below
    EXPECT_EQ(e.unit.targetDirection, 128);
    EXPECT_EQ(e.unit.direction, 69);
}

TEST_F(EnemyBehaviour, FiresBurstsWithAPauseAfterEach) {
    enemyAt e(2, 10000, 5);
    e.unit.AIState = 2;
    e.unit.onScreen = true;
    e.unit.targetDirection = e.unit.direction;
    std::vector<int> shots;
    for (int step = 0; step < 60; step++) {
        std::unique_ptr<bulletRequest> r(e.unit.getBulletRequest());
        if (!r) continue;
        shots.push_back(step);
        EXPECT_EQ(r->getType(), 2);
        EXPECT_EQ(r->team, &e.unit);
        EXPECT_FLOAT_EQ(r->getPosX(), 400);
    }
    EXPECT_EQ(shots, (std::vector<int>{0, 4, 8, 12, 16, 36, 40, 44, 48, 52}));
}

TEST_F(EnemyBehaviour, FiresOnlyEngagedSeenOrWithTheRifleAndInsideAnUnwrappedWindow) {
    const struct {
        const char* what;
        int weapon, AIState;
        bool onScreen;
        int direction, target;
        bool fires;
    } cases[] = {
        {"254 to 2", 0, 2, true, 254, 2, false},  {"255 to 2", 0, 2, true, 255, 2, false},
        {"0 to 2", 0, 2, true, 0, 2, true},       {"5 to 2", 0, 2, true, 5, 2, true},
        {"6 to 2", 0, 2, true, 6, 2, false},      {"1 to 254", 0, 2, true, 1, 254, false},
        {"250 to 254", 0, 2, true, 250, 254, false}, {"251 to 254", 0, 2, true, 251, 254, true},
        {"unseen", 0, 2, false, 0, 0, false},
        {"not engaged", 0, 0, true, 0, 0, false}, {"unseen rifle", 3, 2, false, 0, 0, true},
    };
    for (const auto& c : cases) {
        enemyAt e(c.weapon);
        e.unit.AIState = c.AIState;
        e.unit.onScreen = c.onScreen;
        e.unit.direction = c.direction;
        e.unit.targetDirection = c.target;
        EXPECT_EQ(std::unique_ptr<bulletRequest>(e.unit.getBulletRequest()) != nullptr, c.fires) << c.what;
    }
}

TEST_F(EnemyBehaviour, AimsAroundTheMomentOfFiring) {
    enemyAt rifle(3);  // RATE 32: aiming below 8 and above 24
    rifle.unit.AIState = 2;
    rifle.unit.onScreen = true;
    rifle.unit.targetDirection = 100;
    const struct {
        int direction, cooldown, before, after;
    } cases[] = {{64, 20, STATE_STANDING, STATE_STANDING}, {64, 8, STATE_STANDING, STATE_AIMING},
                 {64, 26, STATE_STANDING, STATE_AIMING},   {64, 25, STATE_STANDING, STATE_STANDING},
                 {100, 0, STATE_STANDING, STATE_SHOOTING}, {100, 0, STATE_WALKING, STATE_WALKING_SHOOTING}};
    for (const auto& c : cases) {
        rifle.unit.direction = c.direction;
        rifle.unit.state = c.before;
        rifle.unit.cooldown = c.cooldown;
        std::unique_ptr<bulletRequest>(rifle.unit.getBulletRequest());
        EXPECT_EQ(rifle.unit.state, c.after) << "cooldown " << c.cooldown << ", state " << c.before;
    }
    EXPECT_EQ(rifle.unit.cooldown, RATE[3]);
}
