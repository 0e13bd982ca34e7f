#include "world/enemy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

// With the pistol (flight distance 390) an engaged enemy keeps 150 to 240
// pixels from the player; off screen it never stops.
TEST(EnemyBehaviour, NoticesInsideItsTriggerDistanceAndKeepsToTheStandOffBandOfItsWeapon) {
    const struct { const char* what; int trigger; bool seen; int distance; double dx; int AIState; } cases[] = {
        {"within 300", 300, false, 299, UNIT_SPEED, 2}, {"at the trigger distance", 300, true, 300, 0, 0},
        {"band's near edge", 10000, true, 150, 0, 2}, {"band's far edge", 10000, true, 240, 0, 2},
        {"beyond it: closer", 10000, true, 241, UNIT_SPEED, 2}, {"backs away", 10000, true, 149, -0.75 * UNIT_SPEED, 2},
        {"at the flight range", 10000, true, 390, UNIT_SPEED, 2}, {"past it", 10000, true, 391, UNIT_SPEED, 0},
        {"off screen", 10000, false, 200, UNIT_SPEED, 2}};
    for (const auto& c : cases) {
        placedUnit<Enemy> e(0, c.trigger);
        e.unit.onScreen = c.seen;
        const std::unique_ptr<moveRequest> r(e.unit.getMoveRequest(400 + c.distance, 300));
        EXPECT_EQ(e.unit.AIState, c.AIState) << c.what;
        EXPECT_NEAR(r ? r->getNewPosX() - r->getOldPosX() : 0, c.dx, 1e-4) << c.what;
    }
}

TEST(EnemyBehaviour, FiresBurstsWithAPauseAfterEach) {
    placedUnit<Enemy> e(2, 10000, 5);
    e.unit.AIState = 2;
    e.unit.onScreen = true;
    e.unit.targetDirection = e.unit.direction;
    std::vector<int> shots;
    for (int step = 0; step < 60; step++) {
        std::unique_ptr<bulletRequest> r(e.unit.getBulletRequest());
        if (r && r->getType() == 2 && r->team == &e.unit && r->getPosX() == 400) shots.push_back(step);
    }
    EXPECT_EQ(shots, (std::vector<int>{0, 4, 8, 12, 16, 36, 40, 44, 48, 52}));
}

// An enemy fires when engaged, seen (or with the rifle), its cooldown run
// down and its facing strictly within 4 of the target's, unwrapped; a
// standing enemy aims in the 8 steps around each shot.
TEST(EnemyBehaviour, FiresAndAimsOnlyWhenItShould) {
    const int S = STATE_STANDING, A = STATE_AIMING, F = STATE_SHOOTING, W = STATE_WALKING;
    const struct { const char* what; int weapon, AI; bool seen; int dir, target, cool, before; bool fires; int after; }
    cases[] = {
        {"254 to 2", 0, 2, true, 254, 2, 0, S, false, A},     {"5 to 2", 0, 2, true, 5, 2, 0, S, true, F},
        {"6 to 2", 0, 2, true, 6, 2, 0, S, false, A},         {"1 to 254", 0, 2, true, 1, 254, 0, S, false, A},
        {"250 to 254", 0, 2, true, 250, 254, 0, S, false, A}, {"251 to 254", 0, 2, true, 251, 254, 0, S, true, F},
        {"unseen", 0, 2, false, 0, 0, 0, S, false, S},        {"not engaged", 0, 0, true, 0, 0, 0, S, false, S},
        {"unseen rifle", 3, 2, false, 0, 0, 0, S, true, F},   {"aiming over", 3, 2, true, 64, 100, 25, S, false, S},
        {"before a shot", 3, 2, true, 64, 100, 8, S, false, A}, {"after a shot", 3, 2, true, 64, 100, 26, S, false, A},
        {"walking", 3, 2, true, 100, 100, 0, W, true, STATE_WALKING_SHOOTING}};
    for (const auto& c : cases) {
        placedUnit<Enemy> e(c.weapon);
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
