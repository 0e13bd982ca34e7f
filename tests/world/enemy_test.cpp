#include "world/enemy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

namespace {

constexpr float SPEED_PX = 2.0f;
constexpr double STANDS = 99;  // no move asked for

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

TEST_F(EnemyBehaviour, NoticesInsideItsTriggerDistanceAndKeepsToTheStandOffBandOfItsWeapon) {
    ASSERT_EQ(realRange[0], 390);
    const struct { const char* what; int weapon, trigger; bool seen; int distance; double dx; int AIState; } cases[] = {
        {"inside the trigger distance", 0, 300, false, 299, SPEED_PX, 2},
        {"at the trigger distance", 0, 300, true, 300, STANDS, 0},
        {"band's near edge", 0, 10000, true, 150, STANDS, 2}, {"inside the band", 0, 10000, true, 200, STANDS, 2},
        {"band's far edge", 0, 10000, true, 240, STANDS, 2}, {"beyond it: closer", 0, 10000, true, 241, SPEED_PX, 2},
        {"too close: backs away", 0, 10000, true, 149, -0.75 * SPEED_PX, 2},
        {"at the flight distance: engaged", 0, 10000, true, 390, SPEED_PX, 2},
        {"beyond it: approaching", 0, 10000, true, 391, SPEED_PX, 0},
        {"off screen it never stops", 0, 10000, false, 200, SPEED_PX, 2},
        {"nor with the rifle", 3, 10000, true, 500, SPEED_PX, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        enemyAt e(c.weapon, c.trigger);
        e.unit.onScreen = c.seen;
        const auto r = e.step(c.distance);
        EXPECT_EQ(e.unit.AIState, c.AIState);
        EXPECT_EQ(e.unit.state, c.dx == STANDS ? STATE_STANDING : STATE_WALKING);
        ASSERT_EQ(r == nullptr, c.dx == STANDS);
        if (!r) continue;
        EXPECT_NEAR(r->getNewPosX() - r->getOldPosX(), c.dx, 1e-4);
        EXPECT_TRUE(r->getScripts() == 0 && r->getRights() == 1 && r->getRadius() == UNIT_RADIUS);
        EXPECT_EQ(e.unit.walkCounter, 1);
    }
    enemyAt e(0);
    EXPECT_TRUE(e.unit.getMoveRequest(-1, -1) == nullptr && e.unit.AIState == 0) << "no target at all";
    // The turning itself is the units' rule; an enemy turns towards the player.
    std::unique_ptr<moveRequest>(e.unit.getMoveRequest(400, 300 + 100));  // straight below
    EXPECT_TRUE(e.unit.targetDirection == 128 && e.unit.direction == 69);
}

TEST_F(EnemyBehaviour, NegativeTriggerDistanceWaitsUntilDrawnOnScreen) {
    enemyAt e(0, -1);
    EXPECT_EQ(e.step(10), nullptr);
    // Every edge, with half width 5 and half height 6.
    const struct { int cameraX, cameraY; bool seen; } cases[] = {
        {404, 0, true}, {405, 0, false}, {-404, -305, true}, {-405, -305, false}, {-404, -306, false}, {0, 306, false}};
    for (const auto& c : cases) {
        e.unit.draw(c.cameraX, c.cameraY);
        EXPECT_EQ(e.unit.onScreen, c.seen) << c.cameraX << ", " << c.cameraY;
    }
    e.unit.draw(404, 0);
    EXPECT_NE(e.step(5000), nullptr);
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
        EXPECT_TRUE(r->getType() == 2 && r->team == &e.unit && r->getPosX() == 400);
    }
    EXPECT_EQ(shots, (std::vector<int>{0, 4, 8, 12, 16, 36, 40, 44, 48, 52}));
}

// An enemy fires when engaged, seen (or with the rifle), its cooldown run
// down and its facing strictly within 4 of the target's, unwrapped; a
// standing enemy aims in the 8 steps around each shot.
TEST_F(EnemyBehaviour, FiresAndAimsOnlyWhenItShould) {
    const int S = STATE_STANDING, A = STATE_AIMING, F = STATE_SHOOTING, W = STATE_WALKING;
    const struct { const char* what; int weapon, AI; bool seen; int dir, target, cool, before; bool fires; int after; }
    cases[] = {
        {"254 to 2", 0, 2, true, 254, 2, 0, S, false, A},  {"255 to 2", 0, 2, true, 255, 2, 0, S, false, A},
        {"0 to 2", 0, 2, true, 0, 2, 0, S, true, F},       {"5 to 2", 0, 2, true, 5, 2, 0, S, true, F},
        {"6 to 2", 0, 2, true, 6, 2, 0, S, false, A},      {"1 to 254", 0, 2, true, 1, 254, 0, S, false, A},
        {"250 to 254", 0, 2, true, 250, 254, 0, S, false, A}, {"251 to 254", 0, 2, true, 251, 254, 0, S, true, F},
        {"unseen", 0, 2, false, 0, 0, 0, S, false, S},     {"not engaged", 0, 0, true, 0, 0, 0, S, false, S},
        {"unseen rifle", 3, 2, false, 0, 0, 0, S, true, F},   {"between shots", 3, 2, true, 64, 100, 20, S, false, S},
        {"just before a shot", 3, 2, true, 64, 100, 8, S, false, A},
        {"just after a shot", 3, 2, true, 64, 100, 26, S, false, A},
        {"after the aiming", 3, 2, true, 64, 100, 25, S, false, S},
        {"walking", 3, 2, true, 100, 100, 0, W, true, STATE_WALKING_SHOOTING}};
    for (const auto& c : cases) {
        enemyAt e(c.weapon);
        e.unit.AIState = c.AI;
        e.unit.onScreen = c.seen;
        e.unit.direction = c.dir;
        e.unit.targetDirection = c.target;
        e.unit.cooldown = c.cool;
        e.unit.state = c.before;
        EXPECT_EQ(std::unique_ptr<bulletRequest>(e.unit.getBulletRequest()) != nullptr, c.fires) << c.what;
        EXPECT_EQ(e.unit.state, c.after) << c.what;
        EXPECT_EQ(e.unit.cooldown, c.fires ? RATE[c.weapon] : std::max(c.cool - 1, 0)) << c.what;
    }
}
