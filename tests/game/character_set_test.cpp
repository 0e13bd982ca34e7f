#include "game/character_set.h"

#include <gtest/gtest.h>

namespace {

const std::string PLAYER = "1 me 3.0 100 50 1 60 40 8 5 2 p.dat\n";

struct refusal {
    const char* checks;
    std::string text;
    std::string reason;
};

}  // namespace

TEST(CharacterSet, ReadsPlayerEnemiesAndCiviliansWithOptionalArmourType) {
    characterSet set;
    std::string reason;
    ASSERT_TRUE(parseCharacterSet(PLAYER + "2 a 2.5 40 0 2 8 400 a.dat\nb 1 50 10 1 1 6 -1 b.dat\n1 c 1.5 20 0 c.dat",
                                  "s.txt", set, reason))
        << reason;
    EXPECT_FLOAT_EQ(set.player.speed, 3.0f);
    EXPECT_EQ(set.player.armorType, 1);
    EXPECT_EQ(set.startAmmo[0], 60);
    EXPECT_EQ(set.startAmmo[4], 2);
    EXPECT_EQ(set.player.graphics, "p.dat");
    ASSERT_EQ(set.enemies.size(), 2u);
    // Armour 0: no armour type field, the next value is the weapon.
    EXPECT_EQ(set.enemies[0].armorType, 0);
    EXPECT_EQ(set.enemies[0].weapon, 2);
    EXPECT_EQ(set.enemies[1].armorType, 1);
    EXPECT_EQ(set.enemies[1].triggerDist, -1);
    ASSERT_EQ(set.civilians.size(), 1u);
    EXPECT_EQ(set.civilians[0].graphics, "c.dat");
    EXPECT_EQ(set.typeCount(), 3);
}

TEST(CharacterSet, RefusesBrokenSetsWithAReasonNamingTheSet) {
    std::string civilians127 = PLAYER + "0 127";
    for (int i = 0; i < 127; ++i) civilians127 += " c 1 1 0 c.dat";
    const refusal rows[] = {
        {"more than one player", "2", "Character set contains multiple player definitions"},
        {"no player", "0 0 0", "Character set \"s.txt\" has no player definition"},
        {"negative enemy count", PLAYER + "-1 0", "Character set \"s.txt\" has a negative enemy type count"},
        {"ends inside the player", "1 me 3.0 100 0 1 2", "Character set \"s.txt\" ends early (starting ammunition missing)"},
        {"ends before civilians", PLAYER + "0", "Character set \"s.txt\" ends early (civilian type count missing)"},
        {"enemy weapon outside the table", PLAYER + "1 a 1 1 0 8 1 1 a.dat 0",
         "Character set \"s.txt\" gives enemy \"a\" a weapon outside 0 to 7"},
        {"word for a number", PLAYER + "x", "Character set \"s.txt\" has \"x\" where the enemy type count (an integer) belongs"},
        {"speed not finite", "1 me nan 1 0 1 1 1 1 1 p.dat", "Character set \"s.txt\" has \"nan\" where the speed (a number) belongs"},
        {"too many enemy types", PLAYER + "128", "Character set \"s.txt\" defines more than 127 unit types"},
        {"too many types together", PLAYER + "1 a 1 1 0 0 1 1 a.dat " + civilians127.substr(PLAYER.size() + 2),
         "Character set \"s.txt\" defines more than 127 unit types"},
        {"file too large", std::string(CHARACTER_SET_MAX_BYTES + 1, ' '), "Character set \"s.txt\" is larger than 64 KiB"},
    };
    for (const refusal& row : rows) {
        characterSet set;
        std::string reason;
        EXPECT_FALSE(parseCharacterSet(row.text, "s.txt", set, reason)) << row.checks;
        EXPECT_EQ(reason, row.reason) << row.checks;
    }
    characterSet set;
    std::string reason;
    EXPECT_TRUE(parseCharacterSet(civilians127, "s.txt", set, reason)) << "127 types are the most: " << reason;
}
