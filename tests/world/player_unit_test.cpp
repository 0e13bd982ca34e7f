#include "world/player_unit.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

class PlayerUnit : public testing::Test {
protected:
    // Mission variables as the script machine would hold them.
    enum { AMMO1, AMMO2, AMMO3, AMMO4, AMMO5, LIFE, ARMOR, NO_PISTOL, VARIABLES };
    worldScene scene;
    memoryUnitDatafile data;
    int vars[VARIABLES] = {};
    pointerInput mouse{400, 100};  // straight up
    playerUnit player;
    int lastScripts = 0, lastShotWeapon = -1;

    void SetUp() override {
        player.addressInit(vars + AMMO1, vars + LIFE, vars + ARMOR, vars + NO_PISTOL);
        ASSERT_TRUE(player.loadSprites(data.get()));
        player.speed = 4;
        player.maxLife = vars[LIFE] = 100;
        player.initialise(400, 300, 0, 0);
        player.pointer = [this] { return mouse; };
    }
    // One logic step's move; returns the offset asked for.
    facingOffset move(int camX = 0, int camY = 0) {
        std::unique_ptr<moveRequest> r(player.getMoveRequest(camX, camY));
        lastScripts = r->getScripts();
        EXPECT_TRUE(r->getRights() == 1 && r->getRadius() == UNIT_RADIUS);
        return {r->getNewPosX() - r->getOldPosX(), r->getNewPosY() - r->getOldPosY()};
    }
    // One logic step's firing; true when a shot was requested.
    bool fire() {
        std::unique_ptr<bulletRequest> r(player.getBulletRequest());
        if (r) { EXPECT_TRUE(r->team == &player && r->getDir() == player.direction); }
        lastShotWeapon = r ? r->getType() : -1;
        return r != nullptr;
    }
};

TEST_F(PlayerUnit, WalksAndStrafesRelativeToItsFacingAndSetsTheUseScriptOncePerPress) {
    enum { F = 1, B = 2, L = 4, R = 8, U = 16 };
    const struct { const char* what; int keys; double dx, dy; int state, scripts; } cases[] = {
        {"forward, use pressed", F | U, 0, -4, STATE_WALKING, 3},
        {"forward and backward: back at three quarters, use still held", F | B | U, 0, 3, STATE_WALKING, 1},
        {"forward and a strafe: three quarters ahead, half aside", F | R, 2, -3, STATE_WALKING, 1},
        {"both strafes cancel", F | L | R, 0, -4, STATE_WALKING, 1},
        {"strafing alone", L, -2, 0, STATE_AIMING, 1},
        {"nothing held", 0, 0, 0, STATE_STANDING, 1},
        {"use pressed again", U, 0, 0, STATE_STANDING, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int slots[] = {SLOT_FORWARD, SLOT_BACKWARD, SLOT_STRAFE_LEFT, SLOT_STRAFE_RIGHT, SLOT_USE};
        for (int i = 0; i < 5; i++) hold(slots[i], c.keys & (1 << i));
        const facingOffset o = move();
        EXPECT_NEAR(o.dx, c.dx, 1e-4);
        EXPECT_NEAR(o.dy, c.dy, 1e-4);
        EXPECT_EQ(player.state, c.state);
        EXPECT_EQ(lastScripts, c.scripts);
    }
    // The walk cycle: 16 steps, back to 0 when the figure stops.
    hold(SLOT_FORWARD);
    for (int step = 1; step <= 17; step++) move();
    EXPECT_EQ(player.walkCounter, 1);
    // Bindings outside the key codes are never held.
    global.keys[SLOT_FORWARD] = 500;
    global.keys[SLOT_USE] = -7;
    global.keys[SLOT_SHOOT] = 0;
    key[0] = 1;
    move();
    EXPECT_TRUE(player.state == STATE_STANDING && player.walkCounter == 0 && lastScripts == 1 && !fire());
}

TEST_F(PlayerUnit, FiresWithTheCooldownOfItsWeaponWhileItHasRounds) {
    hold(SLOT_SHOOT);
    std::vector<int> shots;
    for (int step = 0; step < 29; step++)
        if (fire()) shots.push_back(step);
    EXPECT_EQ(shots, (std::vector<int>{0, RATE[0], 2 * RATE[0]}));
    EXPECT_EQ(player.state, STATE_SHOOTING);
    // The left button fires too; walking turns into walking and shooting.
    hold(SLOT_SHOOT, false);
    player.cooldown = 0;
    mouse.leftDown = true;
    player.state = STATE_WALKING;
    EXPECT_TRUE(fire() && lastShotWeapon == 0 && player.state == STATE_WALKING_SHOOTING);
    // Waiting for the cooldown: a standing figure aims.
    player.state = STATE_STANDING;
    EXPECT_TRUE(!fire() && player.state == STATE_AIMING);
    // With nothing left and no pistol the weapon search stops on the pistol.
    vars[NO_PISTOL] = 1;
    player.cooldown = 0;
    EXPECT_TRUE(!fire() && player.getCurWeapon() == 0 && player.getAmmoleft() == 0);
    vars[AMMO4] = 2;  // ammunition for weapon 4 turns up: the search finds it
    EXPECT_TRUE(fire() && lastShotWeapon == 4 && vars[AMMO4] == 1);
    // The last round of weapon 2 moves on to the next weapon with
    // ammunition, and to the pistol even when it is forbidden.
    const struct { int ammo345[3], next; } cases[] = {{{1, 1, 1}, 3}, {{0, 0, 1}, 5}, {{0, 0, 0}, 0}};
    for (const auto& c : cases) {
        vars[AMMO2] = 1;
        std::copy(c.ammo345, c.ammo345 + 3, vars + AMMO3);
        player.weapon = 2;
        player.cooldown = 0;
        EXPECT_TRUE(fire() && lastShotWeapon == 2 && vars[AMMO2] == 0 && player.cooldown == RATE[2]) << c.next;
        EXPECT_EQ(player.getCurWeapon(), c.next);
    }
}

TEST_F(PlayerUnit, NextAndPreviousWeaponByKeyAndWheelSkipEmptyWeapons) {
    vars[AMMO1] = vars[AMMO3] = 5;
    enum input { NEXT_KEY, PREVIOUS_KEY, WHEEL_UP, WHEEL_DOWN };
    const struct { const char* what; input in; int weapon; } cases[] = {
        {"next key", NEXT_KEY, 1},       {"next key still held", NEXT_KEY, 1}, {"wheel up", WHEEL_UP, 3},
        {"wheel up wraps", WHEEL_UP, 0}, {"wheel down wraps", WHEEL_DOWN, 3},  {"previous key", PREVIOUS_KEY, 1},
    };
    for (const auto& c : cases) {
        hold(SLOT_NEXT_WEAPON, c.in == NEXT_KEY);
        hold(SLOT_PREVIOUS_WEAPON, c.in == PREVIOUS_KEY);
        mouse.wheelUp = c.in == WHEEL_UP;
        mouse.wheelDown = c.in == WHEEL_DOWN;
        fire();
        EXPECT_EQ(player.weapon, c.weapon) << c.what;
    }
    EXPECT_TRUE(player.getAmmoleft() == 5 && player.getAmmo() == vars + AMMO1);
    player.weapon = 0;  // the pistol has no counter
    EXPECT_TRUE(player.getAmmo() == nullptr && player.getAmmoleft() == PISTOL_AMMO);
}

TEST_F(PlayerUnit, AimingHelpShowsTheSpreadOrTheLineOfFire) {
    // Redraws the player; true for each facing whose line 250 pixels out is red.
    const auto redAt = [&](std::vector<int> facings) {
        clear_bitmap(global.buffer);
        player.draw(0, 0);
        std::vector<bool> red;
        for (int d : facings) {
            const facingOffset o = offsetAt(250, d);
            red.push_back(getpixel(global.buffer, int(400 + o.dx), int(300 + o.dy)) == makecol(255, 0, 0));
        }
        return red;
    };
    EXPECT_EQ(redAt({-2, 0, 2}), (std::vector<bool>{false, false, false}));
    hold(SLOT_AIMING_HELP);
    EXPECT_EQ(redAt({-2, 0, 2}), (std::vector<bool>{true, false, true}));
    hold(SLOT_AIMING_HELP, false);
    mouse.rightDown = true;
    player.weapon = 3;  // no spread: one line
    EXPECT_EQ(redAt({0}), std::vector<bool>{true});
    vars[LIFE] = 0;  // a dead figure shows no help
    EXPECT_EQ(redAt({0}), std::vector<bool>{false});
}
