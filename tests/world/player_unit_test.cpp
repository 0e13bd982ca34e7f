#include "world/player_unit.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

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
    hold(SLOT_FORWARD);
    facingOffset o = move();
    EXPECT_NEAR(o.dx, 0, 1e-4);
    EXPECT_NEAR(o.dy, -4, 1e-4);
    EXPECT_EQ(player.state, STATE_WALKING);
    EXPECT_EQ(player.walkCounter, 1);

    // Forward and backward together: backwards at three quarters.
    hold(SLOT_BACKWARD);
    o = move();
    EXPECT_NEAR(o.dy, 3, 1e-4);

    // Forward with one strafe key: three quarters ahead, half sideways.
    hold(SLOT_BACKWARD, false);
    hold(SLOT_STRAFE_RIGHT);
    o = move();
    EXPECT_NEAR(o.dx, 2, 1e-4);
    EXPECT_NEAR(o.dy, -3, 1e-4);

    // Both strafe keys: full speed ahead, the sideways parts cancel.
    hold(SLOT_STRAFE_LEFT);
    o = move();
    EXPECT_NEAR(o.dx, 0, 1e-4);
    EXPECT_NEAR(o.dy, -4, 1e-4);

    // Strafing alone.
    hold(SLOT_FORWARD, false);
    hold(SLOT_STRAFE_RIGHT, false);
    o = move();
    EXPECT_NEAR(o.dx, -2, 1e-4);
    EXPECT_NEAR(o.dy, 0, 1e-4);
    EXPECT_EQ(player.state, STATE_AIMING);
    EXPECT_EQ(player.walkCounter, 0);

    hold(SLOT_STRAFE_LEFT, false);
    o = move();
    EXPECT_EQ(o.dx, 0);
    EXPECT_EQ(o.dy, 0);
    EXPECT_EQ(player.state, STATE_STANDING);
}

TEST_F(PlayerUnit, WalkCounterCyclesThroughSixteen) {
    hold(SLOT_FORWARD);
    for (int i = 0; i < 16; i++) move();
    EXPECT_EQ(player.walkCounter, 0);
    move();
    EXPECT_EQ(player.walkCounter, 1);
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

TEST_F(PlayerUnit, FacesThePointer) {
    player.direction = 3;
    pointAt(0);
    move();
    EXPECT_EQ(player.direction, 0);
    move();
    EXPECT_EQ(player.direction, 0);

    // Straight to the right is 64; the camera shifts the pointer into the map.
    player.direction = 62;
    mouse.x = 500 - 1000;
    mouse.y = 300 - 2000;
    std::unique_ptr<moveRequest>(player.getMoveRequest(1000, 2000));
    EXPECT_EQ(player.direction, 64);
}

TEST_F(PlayerUnit, TurnsTheShorterWayFiveStepsAtATime) {
    player.direction = 0;
    pointAt(199.5);  // target facing 200
    move();
    EXPECT_EQ(player.direction, 251);
    for (int i = 0; i < 10; i++) move();
    EXPECT_EQ(player.direction, 201);
    move();
    EXPECT_EQ(player.direction, 200);
    move();
    EXPECT_EQ(player.direction, 200);
}

TEST_F(PlayerUnit, FiresWithTheCooldownOfItsWeapon) {
    hold(SLOT_SHOOT);
    int shots = 0;
    int firstGap = -1;
    for (int step = 0; step < 29; step++) {
        if (fire()) {
            if (shots == 1) firstGap = step;
            shots++;
        }
    }
    EXPECT_EQ(shots, 3);  // steps 0, 14, 28
    EXPECT_EQ(firstGap, RATE[0]);
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
    for (const auto& c : cases) {
        vars[AMMO2] = 1;
        vars[AMMO3] = c.ammo3;
        vars[AMMO4] = c.ammo4;
        vars[AMMO5] = c.ammo5;
        vars[NO_PISTOL] = 1;  // the pistol is reached even when forbidden
        player.weapon = 2;
        player.cooldown = 0;
        EXPECT_TRUE(fire());
        EXPECT_EQ(lastShotWeapon, 2);
        EXPECT_EQ(vars[AMMO2], 0);
        EXPECT_EQ(player.getCurWeapon(), c.expected);
        EXPECT_EQ(player.cooldown, RATE[2]);
    }
}

TEST_F(PlayerUnit, NextAndPreviousWeaponByKeyAndWheel) {
    vars[AMMO1] = 5;
    vars[AMMO3] = 5;
    hold(SLOT_NEXT_WEAPON);
    fire();
    EXPECT_EQ(player.weapon, 1);
    fire();  // still held: no second press
    EXPECT_EQ(player.weapon, 1);
    hold(SLOT_NEXT_WEAPON, false);
    mouse.wheelUp = true;
    fire();
    EXPECT_EQ(player.weapon, 3);
    fire();
    EXPECT_EQ(player.weapon, 0);
    mouse.wheelUp = false;
    mouse.wheelDown = true;
    fire();
    EXPECT_EQ(player.weapon, 3);
    mouse.wheelDown = false;
    hold(SLOT_PREVIOUS_WEAPON);
    fire();
    EXPECT_EQ(player.weapon, 1);
    EXPECT_EQ(player.getAmmoleft(), 5);
    EXPECT_EQ(player.getAmmo(), vars + AMMO1);
    player.weapon = 0;
    EXPECT_EQ(player.getAmmo(), nullptr);
    EXPECT_EQ(player.getAmmoleft(), PISTOL_AMMO);
}

TEST_F(PlayerUnit, LifeAndArmourLiveInTheMissionVariables) {
    player.armorType = 1;
    player.maxArmor = 40;
    vars[ARMOR] = 10;
    player.getHit(0);
    EXPECT_EQ(vars[LIFE], 96);
    EXPECT_EQ(vars[ARMOR], 9);
    vars[LIFE] = 50;
    EXPECT_EQ(player.getLifePercentage(), 50);
    vars[ARMOR] = 20;
    EXPECT_EQ(player.getArmorPercentage(), 50);
    vars[LIFE] = 0;
    EXPECT_FALSE(player.isAlife());
    vars[LIFE] = 1;
    EXPECT_TRUE(player.isAlife());
}

TEST_F(PlayerUnit, LoadStartsTheMissionAtFullLifeAndArmour) {
    scopedWorkDir dir;
    ASSERT_TRUE(writeUnitDatafile("player.dat", 8));
    playerUnit fresh;
    fresh.addressInit(vars + AMMO1, vars + LIFE, vars + ARMOR, vars + NO_PISTOL);
    fresh.load(3.0f, 150, 60, 1, "player.dat");
    EXPECT_EQ(vars[LIFE], 150);
    EXPECT_EQ(vars[ARMOR], 60);
    EXPECT_EQ(fresh.getRadius(), 8);
    EXPECT_EQ(fresh.getWeapon(), 0);
    EXPECT_EQ(fresh.getTriggerDist(), 0);
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
