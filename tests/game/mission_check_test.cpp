// The mission checker reports each kind of problem with its file and line,
// and nothing for a clean mission. Every row starts from one clean
// single-player mission and one clean multiplayer map in a scratch game
// folder, spoils one file, and names the one problem it expects.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "game/mission_check.h"
#include "map/map_test_files.h"
#include "support/test_files.h"

namespace {

struct missionFiles {
    std::string script = "event onUse\nmsgendl Hello.\nend\n";
    std::string characters =
        "1\nplayer 3.0 100 0 0 0 0 0 0 unit.dat\n1\nguard 2.0 30 0 0 2 350 unit.dat\n1\nman 1.5 20 0\n unit.dat\n";
    std::string description = "-Reach the door\nTitle\n1 1\nBriefing.\n";
    std::string campaign;  // campaign text name, "" for none
    int extraUnitType = -1;
    float playerX = 16;
    int spawnCount = 4;
    bool spawnScripts = false;

    void write() const {
        for (const char* dir : {"maps", "mpmaps", "scripts", "gfx"}) mkdir(dir, 0755);
        maptest::writeTileset("tiles.dat", {0, 3}, {0, 1});
        for (const auto& [name, content] : std::vector<std::pair<std::string, std::string>>{
                 {"unit.dat", "sprites"}, {"chars.txt", characters}, {"scripts/door.ukv", script},
                 {"maps/m.kvd", description}, {"maps/intro.kvd", "Chapter 1\n"}})
            writeFileText(name, content);

        maptest::mapBytes sp;
        sp.header('S', "tiles.dat", 4, 3);
        sp.plainTiles(5).byte(0).byte(2).text("scripts/door.ukv").plainTiles(1, 1).plainTiles(5);  // a door, a wall
        sp.byte(0).byte(campaign.empty() ? 0 : 1);
        if (!campaign.empty()) sp.text(campaign);
        sp.text("chars.txt").int32(extraUnitType < 0 ? 3 : 4);
        for (auto [type, x, y, direction] : {std::tuple{0, playerX, 48.0f, 64}, {1, 80.0f, 16.0f, 0},
                                             {2, 112.0f, 80.0f, 0}, {extraUnitType, 16.0f, 16.0f, 0}})
            if (type >= 0) sp.byte(type).float32(x).float32(y).byte(direction).byte(0).byte(0);
        sp.write("maps/m.kvm");

        maptest::mapBytes mp;
        mp.header('M', "tiles.dat", 4, 3);
        mp.byte(0).byte(spawnScripts ? 2 : 0);
        if (spawnScripts) mp.text("scripts/door.ukv");
        mp.plainTiles(11).byte(0).byte(0).text("chars.txt").int32(spawnCount);
        for (int i = 0; i < spawnCount; ++i) mp.byte(0).float32(16.0f + 32 * i).float32(16).byte(0).byte(0).byte(0);
        mp.write("mpmaps/p.kvm");
    }
};

// What it checks, how it spoils the files and the start of the one
// problem reported (problems of the multiplayer map name it first). That each spoiled copy reports exactly one
// problem shows that the clean mission and map report none.
const std::vector<std::tuple<const char*, std::function<void(missionFiles&)>, const char*>> CASES = {
    {"a compile error, at its line", [](auto& f) { f.script = "event onUse\nmsgendl Hello.\nfrobnicate\nend\n"; },
     "scripts/door.ukv:3: Unknown command frobnicate"},
    {"a tile event never run", [](auto& f) { f.script = "; unit script\nevent onKill\nmsgendl Hello.\nend\n"; },
     "scripts/door.ukv:2: event onKill never runs in a tile script"},
    {"a bad character set, at its line", [](auto& f) { f.characters.replace(f.characters.find("2.0"), 3, "fast"); },
     "chars.txt:4: Character set \"chars.txt\" has \"fast\""},
    {"a unit type beyond the character set", [](auto& f) { f.extraUnitType = 3; },
     "maps/m.kvm: unit 4 has type 3, but the character set defines types 1 to 2"},
    {"missing unit graphics", [](auto& f) { f.characters.replace(f.characters.rfind("unit.dat"), 8, "gone.dat"); },
     "chars.txt:7: the unit graphics gone.dat of \"man\" don't exist"},
    {"a unit on a solid tile", [](auto& f) { f.playerX = 80; }, "maps/m.kvm: unit 1 stands on a solid tile (1) at 2 1"},
    {"too many objectives", [](auto& f) { f.description = "-1\n-2\n-3\n-4\n-5\n-6\nTitle\n"; },
     "maps/m.kvd:6: Mission description \"maps/m.kvd\" has more than 5 objectives"},
    {"an objective outside the map", [](auto& f) { f.description = "-A\n-B\nTitle\n1 1\n4 0\n"; },
     "maps/m.kvd:5: objective 2 at 4 0 lies outside the map (4 x 3 tiles)"},
    {"a campaign text without its picture", [](auto& f) { f.campaign = "intro"; },
     "maps/m.kvm: the campaign text \"intro\" has no picture gfx/intro.tga"},
    {"a goto naming a map that doesn't exist", [](auto& f) { f.script = "event onUse\ngoto nowhere\nend\n"; },
     "scripts/door.ukv:2: goto names the map \"nowhere\", but maps/nowhere.kvm doesn't exist"},
    {"a multiplayer map with a script", [](auto& f) { f.spawnScripts = true; },
     "mpmaps/p.kvm: tile 0 0: a multiplayer map must not carry tile scripts"},
    {"a multiplayer map with too few spawn points", [](auto& f) { f.spawnCount = 2; },
     "mpmaps/p.kvm: only 2 spawn points; a multiplayer map needs at least 4"},
};

}  // namespace

TEST(MissionCheck, ReportsEachProblemWithItsFileAndLineAndNothingForACleanMission) {
    for (const auto& [checks, spoil, expected] : CASES) {
        scopedWorkDir dir;
        missionFiles files;
        spoil(files);
        files.write();
        const bool multiplayer = std::string(expected).rfind("mpmaps/", 0) == 0;
        const std::vector<std::string> problems = checkMission(multiplayer ? "mpmaps/p.kvm" : "maps/m.kvm");
        EXPECT_TRUE(problems.size() == 1 && problems[0].rfind(expected, 0) == 0)
            << checks << ": " << testing::PrintToString(problems);
    }
}
