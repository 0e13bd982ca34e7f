#include "world/player_unit.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/constants.h"
#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

namespace {

// Mission variables as the script machine would hold them.
enum { AMMO1, AMMO2, AMMO3, AMMO4, AMMO5, LIFE, ARMOR, NO_PISTOL, VARIABLES };

}  // namespace

class PlayerUnit : public testing::Test {
protected:
    worldScene scene;
    memoryUnitDatafile data;
    int vars[VARIABLES] = {};
    pointerInput mouse;
    playerUnit player;

    void SetUp() override {
        player.addressInit(vars + AMMO1, vars + LIFE, vars + ARMOR, vars + NO_PISTOL);
        ASSERT_TRUE(player.loadSprites(data.get()));
        player.speed = 4;
        player.maxLife = 100;
        vars[LIFE] = 100;
        player.initialise(400, 300, 0, 0);
        player.pointer = [this] { return mouse; };
        pointAt(0);
    }

    // Puts the pointer 200 pixels away at facing `d` (camera at 0, 0).
    void pointAt(double d) {
        mouse.x = static_cast<int>(std::lround(400 + 200 * std::sin(d * PI / 128)));
        mouse.y = static_cast<int>(std::lround(300 - 200 * std::cos(d * PI / 128)));
    }

    // One logic step's move; returns the offset asked for.
    facingOffset move() {
        std::unique_ptr<moveRequest> r(player.getMoveRequest(0, 0));
        EXPECT_TRUE(r);
        lastScripts = r->getScripts();
        EXPECT_EQ(r->getRights(), 1);
        EXPECT_EQ(r->getRadius(), UNIT_RADIUS);
        return {r->getNewPosX() - r->getOldPosX(), r->getNewPosY() - r->getOldPosY()};
    }

    // One logic step's firing; true when a shot was requested.
    bool fire() {
        std::unique_ptr<bulletRequest> r(player.getBulletRequest());
        if (r) {
            EXPECT_EQ(r->team, &player);
            EXPECT_EQ(r->getDir(), player.direction);
            lastShotWeapon = r->getType();
        }
        return r != nullptr;
    }

    int lastScripts = 0;
    int lastShotWeapon = -1;
};

TEST_F(PlayerUnit, WalksAndStrafesRelativeToItsFacing) {
    enum { F = 1, B = 2, L = 4, R = 8 };
    const struct {
        const char* what;
        int keys;
        double dx, dy;
        int state;
    } cases[] = {
        {"forward", F, 0, -4, STATE_WALKING},
        {"forward and backward: back at three quarters", F | B, 0, 3, STATE_WALKING},
        {"forward and a strafe: three quarters ahead, half aside", F | R, 2, -3, STATE_WALKING},
        {"both strafes cancel", F | L | R, 0, -4, STATE_WALKING},
        {"strafing alone", L, -2, 0, STATE_AIMING},
        {"nothing held", 0, 0, 0, STATE_STANDING},
    };
    for (const auto& c : cases) {
        hold(SLOT_FORWARD, c.keys & F);
        hold(SLOT_BACKWARD, c.keys & B);
        hold(SLOT_STRAFE_LEFT, c.keys & L);
        hold(SLOT_STRAFE_RIGHT, c.keys & R);
        const facingOffset o = move();
        EXPECT_NEAR(o.dx, c.dx, 1e-4) << c.what;
        EXPECT_NEAR(o.dy, c.dy, 1e-4) << c.what;
        EXPECT_EQ(player.state, c.state) << c.what;
        if (c.state != STATE_WALKING) {
            EXPECT_EQ(player.walkCounter, 0) << c.what;
        }
    }
}

TEST_F(PlayerUnit, WalkCounterCyclesThroughSixteen) {
    hold(SLOT_FORWARD);
    for (int step = 1; step <= 17; step++) {
        move();
        EXPECT_EQ(player.walkCounter, step % 16) << step;
    }
}

TEST_F(PlayerUnit, UsePressSetsTheUseScriptOnce) {
    move();
    EXPECT_EQ(lastScripts, 1);
    hold(SLOT_USE);
    move();
    EXPECT_EQ(lastScripts, 3);
    move();
    EXPECT_EQ(lastScripts, 1);
}

TEST_F(PlayerUnit, BindingsOutsideTheKeyCodesAreNeverHeld) {
    global.keys[SLOT_FORWARD] = 500;
    global.keys[SLOT_BACKWARD] = -7;
    global.keys[SLOT_USE] = 127;
    global.keys[SLOT_SHOOT] = 0;
    key[0] = 1;
    move();
    EXPECT_EQ(player.state, STATE_STANDING);
    EXPECT_EQ(lastScripts, 1);
    EXPECT_FALSE(fire());
}

// The turning itself is the units' rule; the player turns towards the
// pointer, which the camera shifts into the map.
TEST_F(PlayerUnit, TurnsTowardsThePointer) {
    pointAt(199.5);
    move();
    EXPECT_EQ(player.direction, 251);
    player.direction = 62;  // straight to the right is 64
    mouse.x = 500 - 1000;
    mouse.y = 300 - 2000;
    std::unique_ptr<moveRequest>(player.getMoveRequest(1000, 2000));
    EXPECT_EQ(player.direction, 64);
}

TEST_F(PlayerUnit, FiresWithTheCooldownOfItsWeapon) {
    hold(SLOT_SHOOT);
    std::vector<int> shots;
    for (int step = 0; step < 29; step++)
        if (fire()) shots.push_back(step);
    EXPECT_EQ(shots, (std::vector<int>{0, RATE[0], 2 * RATE[0]}));
    EXPECT_EQ(lastShotWeapon, 0);
    EXPECT_EQ(player.state, STATE_SHOOTING);

    // The left button fires too; walking turns into walking and shooting.
    hold(SLOT_SHOOT, false);
    player.cooldown = 0;
    mouse.leftDown = true;
    player.state = STATE_WALKING;
    EXPECT_TRUE(fire());
    EXPECT_EQ(player.state, STATE_WALKING_SHOOTING);
    // Waiting for the cooldown: a standing figure aims.
    player.state = STATE_STANDING;
    EXPECT_FALSE(fire());
    EXPECT_EQ(player.state, STATE_AIMING);
}

TEST_F(PlayerUnit, WeaponSearchWithNothingLeftAndNoPistolStopsOnThePistol) {
    vars[NO_PISTOL] = 1;
    hold(SLOT_SHOOT);
    for (int step = 0; step < 3; step++) {
        EXPECT_FALSE(fire());
        EXPECT_EQ(player.getCurWeapon(), 0);
    }
    EXPECT_EQ(player.getAmmoleft(), 0);
    EXPECT_FALSE(player.isPistolAllowed());

    // Ammunition for weapon 4 turns up: the search finds it.
    vars[AMMO4] = 2;
    EXPECT_TRUE(fire());
    EXPECT_EQ(lastShotWeapon, 4);
    EXPECT_EQ(vars[AMMO4], 1);
}

TEST_F(PlayerUnit, LastRoundOfWeaponTwoMovesOnToTheNextWithAmmunition) {
    const struct {
        int ammo3, ammo4, ammo5, expected;
    } cases[] = {{1, 1, 1, 3}, {0, 1, 1, 4}, {0, 0, 1, 5}, {0, 0, 0, 0}};
    hold(SLOT_SHOOT);
    vars[NO_PISTOL] = 1;  // the pistol is reached even when forbidden
    for (const auto& c : cases) {
        vars[AMMO2] = 1;
        vars[AMMO3] = c.ammo3;
        vars[AMMO4] = c.ammo4;
        vars[AMMO5] = c.ammo5;
        player.weapon = 2;
        player.cooldown = 0;
        EXPECT_TRUE(fire()) << c.expected;
        EXPECT_EQ(lastShotWeapon, 2) << c.expected;
        EXPECT_EQ(vars[AMMO2], 0) << c.expected;
        EXPECT_EQ(player.getCurWeapon(), c.expected);
        EXPECT_EQ(player.cooldown, RATE[2]) << c.expected;
    }
}

TEST_F(PlayerUnit, NextAndPreviousWeaponByKeyAndWheelSkipEmptyWeapons) {
    vars[AMMO1] = 5;
    vars[AMMO3] = 5;
    enum input { NEXT_KEY, PREVIOUS_KEY, WHEEL_UP, WHEEL_DOWN };
    const struct {
        const char* what;
        input in;
        int weapon;
    } cases[] = {
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
    EXPECT_EQ(player.getAmmoleft(), 5);
    EXPECT_EQ(player.getAmmo(), vars + AMMO1);
    player.weapon = 0;
    EXPECT_EQ(player.getAmmo(), nullptr);
    EXPECT_EQ(player.getAmmoleft(), PISTOL_AMMO);
}

TEST_F(PlayerUnit, LifeAndArmourLiveInTheMissionVariablesFilledByTheLoad) {
    scopedWorkDir dir;
    ASSERT_TRUE(writeUnitDatafile("player.dat", 8));
    playerUnit fresh;
    fresh.addressInit(vars + AMMO1, vars + LIFE, vars + ARMOR, vars + NO_PISTOL);
    fresh.load(3.0f, 150, 60, 1, "player.dat");  // light armour
    EXPECT_EQ(vars[LIFE], 150);
    EXPECT_EQ(vars[ARMOR], 60);
    EXPECT_EQ(fresh.getRadius(), 8);
    fresh.getHit(0);
    EXPECT_EQ(vars[LIFE], 146);
    EXPECT_EQ(vars[ARMOR], 59);
    vars[LIFE] = 75;
    vars[ARMOR] = 30;
    EXPECT_EQ(fresh.getLifePercentage(), 50);
    EXPECT_EQ(fresh.getArmorPercentage(), 50);
    vars[LIFE] = 0;
    EXPECT_FALSE(fresh.isAlife());
}

TEST_F(PlayerUnit, AimingHelpShowsTheSpreadOrTheLineOfFire) {
    const int red = makecol(255, 0, 0);
    const auto redAt = [&](int d, double length) {
        const facingOffset o = offsetAt(length, d);
        return getpixel(global.buffer, static_cast<int>(400 + o.dx), static_cast<int>(300 + o.dy)) == red;
    };
    player.draw(0, 0);
    EXPECT_FALSE(redAt(0, 100));

    hold(SLOT_AIMING_HELP);
    player.draw(0, 0);
    EXPECT_TRUE(redAt(-2, 250));
    EXPECT_TRUE(redAt(2, 250));
    EXPECT_FALSE(redAt(0, 250));

    clear_bitmap(global.buffer);
    hold(SLOT_AIMING_HELP, false);
    mouse.rightDown = true;
    player.weapon = 3;  // no spread: one line
    player.draw(0, 0);
    EXPECT_TRUE(redAt(0, 250));

    // A dead figure shows no help.
    clear_bitmap(global.buffer);
    vars[LIFE] = 0;
    player.draw(0, 0);
    EXPECT_FALSE(redAt(0, 250));
}
