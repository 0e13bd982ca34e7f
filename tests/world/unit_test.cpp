#include "world/unit.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

TEST(UnitDamage, FollowsPierceAgainstArmourClass) {
    // Light armour absorbs a quarter of a weak hit.
    Unit light;
    light.life = 100;
    light.armor = 10;
    light.armorType = 1;
    light.getHit(0);
    EXPECT_EQ(light.armor, 9);
    EXPECT_EQ(light.life, 96);

    // A piercing weapon goes through light armour whole.
    light.getHit(3);
    EXPECT_EQ(light.armor, 9);
    EXPECT_EQ(light.life, 46);

    // Armour left below the quarter: the rest goes to life.
    Unit thin;
    thin.life = 100;
    thin.armor = 2;
    thin.armorType = 1;
    thin.getHit(1);
    EXPECT_EQ(thin.armor, 0);
    EXPECT_EQ(thin.life, 87);

    // Heavy armour takes only the splinters.
    for (int w = 0; w < WEAPON_COUNT; w++) {
        Unit heavy;
        heavy.life = 100;
        heavy.armor = 50;
        heavy.armorType = 2;
        heavy.getHit(w);
        EXPECT_EQ(heavy.armor, 50) << w;
        EXPECT_EQ(heavy.life, w >= 6 ? 100 - DAMAGE[w] : 100) << w;
    }

    // No armour: every hit whole.
    Unit bare;
    bare.life = 100;
    bare.armor = 30;
    bare.getHit(7);
    EXPECT_EQ(bare.life, 70);
    EXPECT_EQ(bare.armor, 30);
}

TEST(UnitDamage, NeverBelowZeroAndIgnoresUnknownWeapons) {
    Unit u;
    u.life = 3;
    u.getHit(3);
    EXPECT_EQ(u.life, 0);
    EXPECT_FALSE(u.isAlife());

    Unit negativeArmor;
    negativeArmor.life = 10;
    negativeArmor.armor = -5;
    negativeArmor.armorType = 1;
    negativeArmor.getHit(1);
    EXPECT_EQ(negativeArmor.armor, 0);
    EXPECT_EQ(negativeArmor.life, 0);

    Unit other;
    other.life = 10;
    other.getHit(-1);
    other.getHit(WEAPON_COUNT);
    EXPECT_EQ(other.life, 10);
}

TEST(UnitPercentage, DividesByAHundredthOfTheMaximum) {
    Unit u;
    u.life = 37;
    u.maxLife = 40;
    EXPECT_EQ(u.getLifePercentage(), 92);
    u.life = u.maxLife = 7;
    EXPECT_EQ(u.getLifePercentage(), 100);
    u.armor = 150;
    u.maxArmor = 200;
    EXPECT_EQ(u.getArmorPercentage(), 75);
    // No maximum, no percentage (instead of a division by zero).
    u.maxLife = 0;
    u.maxArmor = 0;
    EXPECT_EQ(u.getLifePercentage(), 0);
    EXPECT_EQ(u.getArmorPercentage(), 0);
}

TEST(UnitTurning, TakesTheShorterWayAtMostFiveSteps) {
    int d = 0;
    EXPECT_EQ(turnTowards(d, 200), -1);
    EXPECT_EQ(d, 251);
    d = 254;
    EXPECT_EQ(turnTowards(d, 2), 1);
    EXPECT_EQ(d, 2);
    d = 62;
    turnTowards(d, 64);
    EXPECT_EQ(d, 64);
    EXPECT_EQ(turnStep(100, 64), -1);
    EXPECT_EQ(turnStep(10, 200), -1);
    EXPECT_EQ(turnStep(150, 200), 1);
    // Exactly opposite: one fixed way.
    EXPECT_EQ(turnStep(192, 64), 1);
    EXPECT_EQ(turnStep(64, 192), -1);
}

TEST(UnitTemplate, PlacedUnitsShareTheTypesSpritesAndValues) {
    memoryUnitDatafile data(-3);
    Unit type;
    type.speed = 2.5f;
    type.maxLife = 80;
    type.maxArmor = 20;
    type.armorType = 1;
    type.triggerDist = -1;
    type.weapon = 2;
    type.shootFreq = 5;
    ASSERT_TRUE(type.loadSprites(data.get()));
    EXPECT_EQ(type.radius, -3);
    EXPECT_TRUE(type.ownsSprites);
    // Copies, not the datafile's own bitmaps.
    EXPECT_NE(type.getSpriteAddress(0), data.get()[0].dat);
    EXPECT_EQ(getpixel(type.getSpriteAddress(4), 0, 0), stateColour(4));

    {
        Civilian placed;
        placed.life = 1;
        placed.basetypeGet(type);
        placed.initialise(40.5f, 50, 64, 2);
        EXPECT_FALSE(placed.ownsSprites);
        EXPECT_FALSE(placed.isEnemy());
        for (int s = 0; s < UNIT_SPRITES; s++) EXPECT_EQ(placed.getSpriteAddress(s), type.getSpriteAddress(s));
        EXPECT_EQ(placed.life, 80);
        EXPECT_EQ(placed.armor, 20);
        EXPECT_EQ(placed.getArmortype(), 1);
        EXPECT_FLOAT_EQ(placed.getSpeed(), 2.5f);
        EXPECT_EQ(placed.getTriggerDist(), -1);
        EXPECT_EQ(placed.getWeapon(), 2);
        EXPECT_EQ(placed.getShootFreq(), 5);
        EXPECT_EQ(placed.getRadius(), -3);
        EXPECT_FLOAT_EQ(placed.posX, 40.5f);
        EXPECT_EQ(placed.getAIState(), 2);
        EXPECT_EQ(placed.getMoveRequest(0, 0), nullptr);
        EXPECT_EQ(placed.getBulletRequest(), nullptr);
    }
    // The placed unit left the shared sprites alone.
    EXPECT_EQ(getpixel(type.getSpriteAddress(4), 0, 0), stateColour(4));
    EXPECT_EQ(type.getSpriteAddress(6), nullptr);
}

TEST(UnitTemplate, RefusesADatafileWithoutAllItems) {
    memoryUnitDatafile data;
    Unit type;
    DATAFILE* items = data.get();
    items[6].size = 0;
    EXPECT_FALSE(type.loadSprites(items));
    items[6].size = 1;
    items[2].type = DAT_DATA;
    EXPECT_FALSE(type.loadSprites(items));
    items[2].type = DAT_BITMAP;
    const DATAFILE end = items[6];
    items[6].type = DAT_END;
    EXPECT_FALSE(type.loadSprites(items));
    items[6] = end;
    EXPECT_EQ(type.getSpriteAddress(0), nullptr);
    EXPECT_TRUE(type.loadSprites(items));
}

TEST(UnitTemplate, LoadsAUnitDatafile) {
    scopedWorkDir dir;
    ASSERT_TRUE(writeUnitDatafile("unit.dat", 0xfe));

    Unit type;
    type.load(3.5f, 120, 40, 1, "unit.dat", 300, 2, 5);
    EXPECT_EQ(type.radius, -2);
    EXPECT_EQ(type.life, 120);
    EXPECT_EQ(type.armor, 40);
    EXPECT_EQ(type.triggerDist, 300);
    EXPECT_EQ(type.weapon, 2);
    EXPECT_EQ(type.shootFreq, 5);
    for (int s = 0; s < UNIT_SPRITES; s++) {
        ASSERT_NE(type.getSpriteAddress(s), nullptr);
        EXPECT_EQ(type.getSpriteAddress(s)->w, 8 + s);
        EXPECT_EQ(getpixel(type.getSpriteAddress(s), 1, 1), makecol(10 * s, 0, 0));
    }

    // Loading again replaces the sprites; a weapon outside the table
    // becomes the pistol.
    type.load(1, 1, 1, 0, "unit.dat", 0, 9, 0);
    EXPECT_EQ(type.weapon, 0);
}

TEST(UnitTemplateDeathTest, MissingOrIncompleteDatafileEndsWithError7) {
    scopedWorkDir dir;
    Unit type;
    EXPECT_EXIT(type.load(1, 1, 1, 0, "nothere.dat", 0, 0, 0), testing::ExitedWithCode(0),
                "Error007: Loading datafile \"nothere.dat\" failed");
    writeFileBytes("u6.raw", {5});
    ASSERT_EQ(std::system("dat -a -t DATA short.dat u6.raw >/dev/null"), 0);
    EXPECT_EXIT(type.load(1, 1, 1, 0, "short.dat", 0, 0, 0), testing::ExitedWithCode(0),
                "Error007: Loading datafile \"short.dat\" failed");
}

TEST(UnitRequests, TakeRequestsMovesToTheJudgedPosition) {
    Unit u;
    u.initialise(10, 10, 0, 0);
    moveRequest* move = new moveRequest;
    move->set(10, 10, 20, 30, 0, 1, 4);
    move->declineY();
    u.takeRequests(move, new bulletRequest);
    EXPECT_FLOAT_EQ(u.posX, 20);
    EXPECT_FLOAT_EQ(u.posY, 10);
    u.takeRequests(nullptr, nullptr);
    EXPECT_FLOAT_EQ(u.posX, 20);
}

class UnitDrawing : public testing::Test {
protected:
    worldScene scene;
    placedUnit<Civilian> civ;
    BITMAP* buffer() { return global.buffer; }
    void SetUp() override { civ.unit.initialise(100, 100, 0, 0); }
};

TEST_F(UnitDrawing, DrawsTheSpriteOfItsStateCentredOnItsPosition) {
    civ.unit.setState(STATE_WALKING);
    civ.unit.draw(20, 30);
    // Centre at (80, 70); the 10 x 12 sprite spans x 75..84, y 64..75.
    EXPECT_EQ(getpixel(buffer(), 75, 64), stateColour(3));
    EXPECT_EQ(getpixel(buffer(), 84, 75), stateColour(3));
    EXPECT_EQ(getpixel(buffer(), 74, 70), 0);
    EXPECT_EQ(getpixel(buffer(), 80, 76), 0);
}

TEST_F(UnitDrawing, WalkingMirrorsTheSpriteAcrossTheFacing) {
    // A marker in the sprite's left column.
    BITMAP* walking = civ.type.getSpriteAddress(STATE_WALKING);
    clear_to_color(walking, makecol(0, 0, 200));
    vline(walking, 0, 0, SPRITE_H - 1, makecol(0, 200, 0));
    civ.unit.setState(STATE_WALKING);
    civ.unit.walkCounter = 8;
    civ.unit.draw(0, 0);
    EXPECT_EQ(getpixel(buffer(), 95, 100), makecol(0, 200, 0));
    EXPECT_EQ(getpixel(buffer(), 104, 100), makecol(0, 0, 200));
    clear_bitmap(buffer());
    civ.unit.walkCounter = 9;
    civ.unit.draw(0, 0);
    EXPECT_EQ(getpixel(buffer(), 95, 100), makecol(0, 0, 200));
    EXPECT_EQ(getpixel(buffer(), 104, 100), makecol(0, 200, 0));
}

TEST_F(UnitDrawing, DeadBodyVanishesAfter130FramesWithoutBlood) {
    civ.unit.getHit(3);
    civ.unit.getHit(3);
    ASSERT_FALSE(civ.unit.isAlife());
    civ.unit.walkCounter = 12;
    for (int frame = 1; frame <= 130; frame++) {
        clear_bitmap(buffer());
        civ.unit.draw(0, 0);
        ASSERT_EQ(getpixel(buffer(), 100, 100), stateColour(STATE_DEAD)) << frame;
        ASSERT_EQ(civ.unit.walkCounter, 0);
        ASSERT_EQ(civ.unit.state, STATE_DEAD);
    }
    clear_bitmap(buffer());
    civ.unit.draw(0, 0);
    EXPECT_EQ(getpixel(buffer(), 100, 100), 0);
    civ.unit.draw(0, 0);
    EXPECT_EQ(getpixel(buffer(), 100, 100), 0);
}

TEST_F(UnitDrawing, BloodPoolGrowsToRadiusPlusThree) {
    global.bloodMode = 1;
    civ.unit.life = 0;
    const int full = (UNIT_RADIUS + 3) * 4;
    for (int frame = 0; frame < full + 20; frame++) civ.unit.draw(0, 0);
    EXPECT_EQ(civ.unit.corpseCounter, full);
    clear_bitmap(buffer());
    civ.unit.draw(0, 0);
    const int red = makecol(255, 0, 0);
    EXPECT_EQ(getpixel(buffer(), 100 + UNIT_RADIUS + 3, 100), red);
    EXPECT_EQ(getpixel(buffer(), 100 + UNIT_RADIUS + 4, 100), 0);
    // The body stays on the pool.
    EXPECT_EQ(getpixel(buffer(), 100, 100), stateColour(STATE_DEAD));

    // Switching the blood display off lets the body go the usual way.
    global.bloodMode = 0;
    for (int frame = 0; frame < full + 5; frame++) civ.unit.draw(0, 0);
    EXPECT_LT(civ.unit.corpseCounter, 0);
    global.bloodMode = 1;
    civ.unit.draw(0, 0);
}

TEST_F(UnitDrawing, DrawsPartlyOffScreenAndIgnoresFarAwayUnits) {
    civ.unit.direction = -70;
    civ.unit.draw(104, 0);  // centre at x = -4: the right part shows
    EXPECT_EQ(getpixel(buffer(), 0, 100), stateColour(0));
    clear_bitmap(buffer());
    civ.unit.initialise(200000, -300000, 300, 0);
    civ.unit.draw(0, 0);
    civ.unit.draw(-2000000000, 2000000000);
    for (int y = 0; y < 600; y += 50)
        for (int x = 0; x < 800; x += 50) ASSERT_EQ(getpixel(buffer(), x, y), 0);
}
