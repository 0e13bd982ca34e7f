#include "game/character_set.h"

#include <gtest/gtest.h>

#include <tuple>

// A set is read with armour types where armour isn't 0; broken sets are
// refused with a reason naming the set (the count of players aside).
TEST(CharacterSet, ReadsArmourTypesOnlyWithArmourAndRefusesBrokenSets) {
    const std::string player = "1 me 3.0 100 50 1 60 40 8 5 2 p.dat\n";
    characterSet set;
    std::string reason;
    const std::string enemiesAndCivilian = "2 a 2.5 40 0 2 8 400 a.dat\nb 1 50 10 1 1 6 -1 b.dat\n1 c 1.5 20 0 c.dat";
    ASSERT_TRUE(parseCharacterSet(player + enemiesAndCivilian, "s.txt", set, reason)) << reason;
    EXPECT_EQ(set.player.armorType, 1);
    EXPECT_EQ(set.startAmmo[4], 2);
    EXPECT_EQ(set.player.graphics, "p.dat");
    ASSERT_EQ(set.enemies.size(), 2u);
    EXPECT_TRUE(set.enemies[0].armorType == 0 && set.enemies[0].weapon == 2) << "armour 0: the weapon comes next";
    EXPECT_TRUE(set.enemies[1].armorType == 1 && set.enemies[1].triggerDist == -1);
    EXPECT_EQ(set.typeCount(), 3);
    std::string civilians127 = player + "0 127";
    for (int i = 0; i < 127; ++i) civilians127 += " c 1 1 0 c.dat";
    EXPECT_TRUE(parseCharacterSet(civilians127, "s.txt", set, reason)) << "127 types are the most: " << reason;
    // What it checks, the text and the reason given.
    const std::vector<std::tuple<const char*, std::string, std::string>> rows = {
        {"more than one player", "2", "contains multiple player definitions"},
        {"no player", "0 0 0", "has no player definition"},
        {"negative enemy count", player + "-1 0", "has a negative enemy type count"},
        {"ends inside the player", "1 me 3.0 100 0 1 2", "ends early (starting ammunition missing)"},
        {"ends before civilians", player + "0", "ends early (civilian type count missing)"},
        {"enemy weapon outside the table", player + "1 a 1 1 0 8 1 1 a.dat 0",
         "gives enemy \"a\" a weapon outside 0 to 7"},
        {"word for a number", player + "x", "has \"x\" where the enemy type count (an integer) belongs"},
        {"speed not finite", "1 me nan 1 0 1 1 1 1 1 p.dat", "has \"nan\" where the speed (a number) belongs"},
        {"too many enemy types", player + "128", "defines more than 127 unit types"},
        {"too many types together", player + "1 a 1 1 0 0 1 1 a.dat " + civilians127.substr(player.size() + 2),
         "defines more than 127 unit types"},
        {"file too large", std::string(CHARACTER_SET_MAX_BYTES + 1, ' '), "is larger than 64 KiB"},
    };
    for (const auto& [checks, text, why] : rows) {
        EXPECT_FALSE(parseCharacterSet(text, "s.txt", set, reason)) << checks;
        const std::string name = text == "2" ? "" : "\"s.txt\" ";  // the player count's reason names no set
        EXPECT_EQ(reason, "Character set " + name + why) << checks;
    }
}
