#include <gtest/gtest.h>

#include "game/mission_variables.h"
#include "mission_fixture.h"
#include "support/test_files.h"

using namespace gametest;

using MissionSetup = missionTest;

// Units naming one script source share its scripts and each runs onLoad;
// the difficulty adds refills and eases enemy fire rates (not below 1, 0
// stays); a tile's onLoad script overrides or forbids starting ammunition.
TEST_F(MissionSetup, ScriptsDifficultyAndStartingAmmunition) {
    writeFileText("scripts/guard.ukv", "event onLoad\ninc %40\nend\nevent onKill\ninc %41\nend\n");
    writeFileText("scripts/other.ukv", "event onLoad\ninc %42\nend\n");
    // What it checks, the refills of heal and ammunition, the enemies' fire
    // rate and the eased one, a tile's onLoad line and weapon 3's ammunition.
    const std::vector<std::tuple<const char*, int, int, int, int, std::string, int>> rows = {
        {"easy, ammunition set", 4, 3, 10, 8, "set W3AMMO 50\n", 50},
        {"medium, weapon forbidden", 2, 1, 10, 9, "set W3AMMO -1\n", 0},
        {"hard, the set's ammunition", 0, 0, 10, 10, "", 30},
        {"a rate of 1 stays 1", 4, 3, 1, 1, "", 30},
        {"a rate of 0 stays 0", 4, 3, 0, 0, "", 30},
    };
    for (const auto& [checks, heal, ammo, fireRate, eased, onLoad, w3] : rows) {
        missionFiles files;
        files.characters.replace(files.characters.find(" 10 1000"), 3, " " + std::to_string(fireRate));
        files.units = {{0, 48, 48}, {1, 100, 200, 0, "scripts/guard.ukv"}, {2, 200, 200, 0, "scripts/other.ukv"},
                       {1, 300, 200, 0, "scripts/guard.ukv"}, {1, 400, 200}};
        files.tileScripts = {{0, "event onLoad\n" + onLoad + "inc %43\nend\n"}};
        write(files);
        auto game = load("m", heal, ammo);
        EXPECT_EQ((std::vector<int>{var(*game, MV_HEALREFILLS), var(*game, MV_AMMOREFILLS),
                                    game->enemyTypes[0]->shootFreq, game->units[0]->shootFreq,
                                    var(*game, MV_W1AMMO + 2)}),
                  (std::vector<int>{heal, ammo, eased, eased, w3}))
            << checks;
        EXPECT_EQ((std::vector<int>{var(*game, MV_W1AMMO), var(*game, MV_MAXLIFE), var(*game, MV_LIFE),
                                    var(*game, MV_ARMOR), var(*game, 40), var(*game, 42), var(*game, 43)}),
                  (std::vector<int>{10, 100, 100, 50, 2, 1, 1}))
            << "weapon 1's ammunition, life, armour and the onLoad counts";
        ASSERT_EQ(game->units.size(), 4u);
        EXPECT_TRUE(game->scripts[0] == game->scripts[2] && game->scripts[0] != game->scripts[1] && !game->scripts[3]);
        EXPECT_TRUE(game->units[0]->isEnemy() && !game->units[1]->isEnemy());
    }
}

// A player-only mission without objectives: every start rewrites slot 0,
// S on the description screen writes the chosen slot, and a failed save
// is reported; key 3 picks objective 1.
TEST_F(MissionSetup, APlayerOnlyMissionSavesItsStartsToTheSlots) {
    std::filesystem::create_directories("save");
    writeFileText("save/slot0.sav", "old\n0 0");
    missionFiles files;
    files.description = "T\n";
    write(files);
    screenKeys = {KEY_S, KEY_ENTER};
    auto game = load("m", 4, 3);
    EXPECT_TRUE(game->objectiveCount == 0 && game->machine.objectiveCount == 0);
    tap(KEY_3, *game);
    EXPECT_EQ(var(*game, MV_ACTIVEOBJECTIVE), 1) << "key 3 without objectives";
    EXPECT_EQ(readFileText("save/slot0.sav"), "m\n4 3");
    EXPECT_FALSE(std::filesystem::exists("save/slot2.sav")) << "a cancelled choice writes nothing";
    slotChoice = 2;
    EXPECT_FALSE(load("m", 2, 1)->saveFailed);
    EXPECT_EQ(readFileText("save/slot0.sav"), "m\n2 1");
    EXPECT_EQ(readFileText("save/slot2.sav"), "m\n2 1");
    std::filesystem::remove_all("save");
    std::filesystem::create_directories("maps/sub");
    write(files, "sub/m");
    EXPECT_TRUE(load("sub/m")->saveFailed) << "a map reached through a folder";
    EXPECT_FALSE(std::filesystem::exists("save/slot0.sav"));
    writeFileText("save", "a file where the folder belongs");
    EXPECT_TRUE(load()->saveFailed) << "the save folder can't be made";
}

TEST_F(MissionSetup, BrokenMissionsEndWithAReason) {
    // What it checks, the units, the character set and description ("" for
    // the usual ones), and the reason given.
    const std::vector<std::tuple<const char*, std::vector<placed>, std::string, std::string, std::string>> rows = {
        {"no player", {{1, 100, 100}}, "", "", "No player on map"},
        {"two players", {{0, 48, 48}, {0, 100, 100}}, "", "", "More than one player on map"},
        {"type beyond the set", {{0, 48, 48}, {3, 100, 100}}, "", "",
         "Unit 2 has type 3, which the character set doesn't define"},
        {"unit off the map", {{0, 48, 48}, {1, 9999, 100}}, "", "", "Invalid unit position"},
        {"player with a script", {{0, 48, 48, 0, "scripts/x.ukv"}}, "", "",
         "Scripts for the player character are illegal!"},
        {"graphics that fail", {{0, 48, 48}}, "1 me 4 100 0 0 0 0 0 0 nothing.dat 0 0", "",
         "Character set \"chars.txt\" names unit graphics \"nothing.dat\" that fail to load"},
        {"no player type", {{0, 48, 48}}, "0 0 0", "", "Character set \"chars.txt\" has no player definition"},
        {"six objectives", {{0, 48, 48}}, "", "-1\n-2\n-3\n-4\n-5\n-6\nT\n",
         "Mission description \"maps/m.kvd\" has more than 5 objectives"},
    };
    for (const auto& [checks, units, characters, description, message] : rows) {
        missionFiles files;
        files.units = units;
        if (!characters.empty()) files.characters = characters;
        if (!description.empty()) files.description = description;
        write(files);
        EXPECT_EXIT(load(), testing::ExitedWithCode(0), "Error010: .*\n" + message) << checks;
    }
}
