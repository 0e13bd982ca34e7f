#include "world/unit.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "world/weapons.h"
#include "world_fixtures.h"

using namespace worldtest;

TEST(UnitDamage, FollowsPierceAgainstArmourClassAndNeverGoesBelowZero) {
    const struct { const char* what; int life, armor, armorType, weapon, lifeAfter, armorAfter; } cases[] = {
        {"light armour absorbs a quarter", 100, 10, 1, 0, 96, 9},
        {"piercing goes through light armour", 100, 9, 1, 3, 50, 9},
        {"armour below the quarter", 100, 2, 1, 1, 87, 0},
        {"heavy armour stops bullets", 100, 50, 2, 3, 100, 50},
        {"heavy armour lets splinters through", 100, 50, 2, 7, 70, 50},
        {"no armour class takes every hit whole", 100, 30, 0, 7, 70, 30},
        {"life stops at zero", 3, 0, 0, 3, 0, 0},
        {"negative armour counts against life", 10, -5, 1, 1, 0, 0},
        {"weapon below the table", 10, 0, 0, -1, 10, 0}, {"weapon above the table", 10, 0, 0, WEAPON_COUNT, 10, 0}};
    for (const auto& c : cases) {
        Unit u;
        u.life = c.life;
        u.armor = c.armor;
        u.armorType = c.armorType;
        u.getHit(c.weapon);
        EXPECT_TRUE(u.life == c.lifeAfter && u.armor == c.armorAfter && u.isAlife() == (c.lifeAfter > 0)) << c.what;
    }
    // Percentages are worked out exactly; without a maximum there is none.
    Unit u;
    u.life = 37;
    u.maxLife = 40;
    u.armor = 150;
    u.maxArmor = 200;
    EXPECT_TRUE(u.getLifePercentage() == 92 && u.getArmorPercentage() == 75);
    u.maxLife = u.maxArmor = 0;
    EXPECT_TRUE(u.getLifePercentage() == 0 && u.getArmorPercentage() == 0);
}

TEST(UnitTemplate, PlacedUnitsShareTheTypesSpritesAndValues) {
    memoryUnitDatafile data(-3);
    Unit type;
    type.maxLife = 80;
    type.maxArmor = 20;
    DATAFILE* items = data.get();
    // A datafile without all items changes nothing.
    items[2].type = DAT_DATA;
    EXPECT_FALSE(type.loadSprites(items)) << "sprite that is no bitmap";
    items[2].type = DAT_BITMAP;
    items[6].type = DAT_END;
    EXPECT_FALSE(type.loadSprites(items)) << "radius item missing";
    items[6].type = DAT_DATA;
    ASSERT_TRUE(type.loadSprites(items) && type.radius == -3);
    // Copies, not the datafile's own bitmaps.
    EXPECT_NE(type.getSpriteAddress(0), items[0].dat);
    {
        Civilian placed;
        placed.basetypeGet(type);
        placed.initialise(40.5f, 50, 64 - 256, 2);
        EXPECT_TRUE(placed.direction == 64 && !placed.ownsSprites);
        for (int s = 0; s < UNIT_SPRITES; s++) EXPECT_EQ(placed.getSpriteAddress(s), type.getSpriteAddress(s)) << s;
        EXPECT_TRUE(placed.life == 80 && placed.armor == 20);
        EXPECT_TRUE(placed.getMoveRequest(0, 0) == nullptr && placed.getBulletRequest() == nullptr);
    }
    // The placed unit left the shared sprites alone.
    EXPECT_TRUE(getpixel(type.getSpriteAddress(4), 0, 0) == stateColour(4) && !type.getSpriteAddress(6));
}

// Rotated sprites partly off the buffer draw without negative shifts, and
// units far off it draw nothing, whatever the camera.
TEST(UnitDrawing, ClipsAndSkipsFarAwayUnitsAndGrowsABloodPoolUntilBloodIsSwitchedOff) {
    worldScene scene;
    placedUnit<Civilian> civ;
    const auto at = [](int x, int y) { return getpixel(global.buffer, x, y); };
    civ.unit.initialise(100, 100, -70, 0);
    civ.unit.draw(104, 0);  // centre at x = -4: the right part shows
    EXPECT_EQ(at(0, 100), stateColour(0));
    clear_bitmap(global.buffer);
    civ.unit.initialise(200000, -300000, 300, 0);
    civ.unit.draw(0, 0);
    civ.unit.draw(-2000000000, 2000000000);
    for (int y = 0; y < 600; y += 50)
        for (int x = 0; x < 800; x += 50) ASSERT_EQ(at(x, y), 0) << x << ", " << y;
    global.bloodMode = 1;
    civ.unit.initialise(100, 100, 0, 0);
    civ.unit.life = 0;
    const int full = (UNIT_RADIUS + 3) * 4;
    for (int frame = 0; frame < full + 20; frame++) civ.unit.draw(0, 0);
    EXPECT_EQ(civ.unit.corpseCounter, full);
    EXPECT_TRUE(at(100 + UNIT_RADIUS + 3, 100) == makecol(255, 0, 0) && at(100 + UNIT_RADIUS + 4, 100) == 0);
    EXPECT_EQ(at(100, 100), stateColour(STATE_DEAD));  // the body stays on the pool
    global.bloodMode = 0;
    for (int frame = 0; frame < full + 5; frame++) civ.unit.draw(0, 0);
    EXPECT_LT(civ.unit.corpseCounter, 0);
    global.bloodMode = 1;
    civ.unit.draw(0, 0);  // a vanished body with blood back on draws nothing
}
