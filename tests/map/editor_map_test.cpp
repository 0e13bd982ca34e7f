#include "map/editor_map.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "app/creator.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "map/map_file.h"
#include "map/map_writer.h"
#include "map/sp_map.h"
#include "map_test_files.h"
#include "script/virtual_machine.h"
#include "world/enemy.h"
#include "world/unit.h"

using maptest::mapBytes;

namespace {

class EditorMapTest : public testing::Test {
protected:
    void SetUp() override {
        global.buffer = create_bitmap(800, 600);
        std::filesystem::create_directories("scripts");
        std::filesystem::create_directories("maps");
        std::filesystem::create_directories("elsewhere/deep");
        maptest::writeTileset("t.dat", {0, 0, 3}, {0, 0, 2});
        writeFileText("elsewhere/deep/door.ukv", "event onUse\nadd %40 1\nend\n");
        writeFileText("scripts/door.ukv", "event onUse\nadd %40 1\nend\n");
        writeFileText("scripts/guard.ukv", "event onKill\nadd %41 1\nend\n");
    }
    void TearDown() override {
        key[KEY_F2] = 0;
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
    }
    // The map creator's empty map, opened in the editor; the rest of the
    // file (fields 9 to 12) is what the editor keeps besides the layer.
    void create(int width, int height, bool campaign = false) {
        writeFileText("new.txt", "maps/level.kvm\nt.dat\nchars.txt\n" + std::to_string(width) + " " +
                                     std::to_string(height) + " S " + (campaign ? "1\nintro\n" : "0\n"));
        newMap("new.txt");
        std::ifstream file("maps/level.kvm", std::ios::binary);
        map.loadMap(file, "maps/level.kvm");
        mapFileReader rest(file, "maps/level.kvm");
        ASSERT_EQ(rest.byte(), 0);
        parts.campaign = rest.byte() != 0;
        if (parts.campaign) parts.campaignText = rest.text();
        parts.characterSet = rest.text();
        ASSERT_EQ(rest.int32(), 0);
    }
    void addUnit(int type, float x, float y, int direction, int look, const std::string& script) {
        edUnit& u = units[parts.unitCount];
        u.setType(type);
        u.initialise(x, y, direction, 0);
        u.setState(look);
        unitScripts[parts.unitCount++] = script;
    }
    scopedWorkDir dir;
    editorMapClass map;
    edUnit units[4];
    std::string unitScripts[4];
    mapSaveParts parts{false, "", "", units, unitScripts, 0};
};

}  // namespace

TEST_F(EditorMapTest, PlainSaveStoresScriptsUnderScriptsByFileName) {
    create(4, 3);
    map.getScriptPath(1, 2) = "elsewhere/deep/door.ukv";
    ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, false));
    EXPECT_EQ(map.getScriptPath(9), "scripts/door.ukv");
    const std::string saved = readFileText("maps/level.kvm");
    EXPECT_NE(saved.find(std::string("\x02scripts/door.ukv\r", 18)), std::string::npos);
    EXPECT_EQ(saved.find("elsewhere"), std::string::npos);
}

TEST_F(EditorMapTest, SavingTwiceWritesIdenticalFiles) {
    create(5, 4, true);
    map.setTile(2, 1, 1);
    map.getScriptPath(7) = "elsewhere/deep/door.ukv";
    addUnit(0, 48, 48, 64, 0, "");
    addUnit(2, 100.5f, 70.25f, 200, 2, "x/guard.ukv");
    ASSERT_TRUE(writeMapFile("maps/a.kvm", map, parts, false));
    ASSERT_TRUE(writeMapFile("maps/b.kvm", map, parts, false));
    EXPECT_EQ(readFileBytes("maps/a.kvm"), readFileBytes("maps/b.kvm"));
}

TEST_F(EditorMapTest, PrecompiledSaveIncludesTheGlobalScriptOnlyWhenItExists) {
    create(2, 1);
    map.getScriptPath(0) = "scripts/door.ukv";
    addUnit(1, 16, 16, 0, 1, "scripts/guard.ukv");
    auto globalFlagOf = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        mapFileReader in(file, path);
        in.version();
        in.byte();
        in.text();
        int w = 0, h = 0;
        in.size(w, h);
        in.byte();
        EXPECT_EQ(in.byte(), SCRIPT_COMPILED);
        in.script(SCRIPT_LIMIT);
        EXPECT_EQ(in.byte(), 0);
        EXPECT_EQ(in.byte(), SCRIPT_NONE);
        return in.byte();
    };
    ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, true));
    EXPECT_EQ(globalFlagOf("maps/level.kvm"), 0);
    writeFileText("scripts/levelglobal.ukv", "event global\nadd %42 1\nend\n");
    ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, true));
    EXPECT_EQ(globalFlagOf("maps/level.kvm"), 1);
    EXPECT_EQ(map.getScriptPath(0), "scripts/door.ukv") << "a pre-compiled save keeps the paths";
    EXPECT_EQ(globalScriptSource("x/maps/level.kvm"), "scripts/levelglobal.ukv");
    EXPECT_EQ(globalScriptSource("maps/.kvm"), "");
}

TEST_F(EditorMapTest, NegativeConstantsLoadAndRunSavedEitherWay) {
    std::string source = "event onUse\n";
    for (int i = 0; i < 7; ++i) source += "set %50 1\n";
    writeFileText("scripts/minus.ukv", source + "set %51 -2\nend\n");
    for (bool precompiled : {true, false}) {
        create(2, 1);
        map.getScriptPath(1) = "scripts/minus.ukv";
        ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, precompiled));
        std::ifstream file("maps/level.kvm", std::ios::binary);
        VirtualMachine vm;
        SPmapClass game;
        game.loadMap(file, "maps/level.kvm", 'S', vm);
        ASSERT_EQ(game.events.count(1), 1u) << precompiled;
        EXPECT_EQ(vm.run(game.events[1].onUse).text, "") << precompiled;
        EXPECT_EQ(vm.variables[51], -2) << precompiled;
    }
}

// An enemy that faces the player already keeps facing it, whatever the facing.
TEST_F(EditorMapTest, EveryFacingRoundTripsAndHoldsWhenTurningTowardsItself) {
    create(2, 2);
    std::vector<edUnit> placed(256);
    std::vector<std::string> scripts(256);
    for (int facing = 0; facing < 256; ++facing) placed[facing].initialise(16, 16, facing, 0);
    parts.units = placed.data();
    parts.unitScripts = scripts.data();
    parts.unitCount = 256;
    ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, false));
    std::ifstream file("maps/level.kvm", std::ios::binary);
    map.loadMap(file, "maps/level.kvm");
    mapFileReader rest(file, "maps/level.kvm");
    rest.byte();
    rest.byte();
    rest.text();
    ASSERT_EQ(rest.int32(), 256);
    for (int facing = 0; facing < 256; ++facing) {
        Enemy enemy;
        const unitRecord u = readUnitRecord(rest, 2, 2);
        enemy.initialise(u.x, u.y, u.direction, 0);
        EXPECT_EQ(enemy.direction, facing);
        turnTowards(enemy.direction, facing);
        EXPECT_EQ(enemy.direction, facing);
    }
}

TEST_F(EditorMapTest, UncompilableScriptFailsAPrecompiledSaveAndKeepsTheOldFile) {
    create(1, 1);
    const std::vector<unsigned char> before = readFileBytes("maps/level.kvm");
    map.getScriptPath(0) = "scripts/missing.ukv";
    EXPECT_THROW(writeMapFile("maps/level.kvm", map, parts, true), mapFault);
    EXPECT_EQ(readFileBytes("maps/level.kvm"), before);
    EXPECT_FALSE(fileExists("maps/level.kvm.tmp"));
}

TEST_F(EditorMapTest, AFileThatCantBeCreatedIsNoSave) {
    create(1, 1);
    EXPECT_FALSE(writeMapFile("no/such/folder/level.kvm", map, parts, false));
}

TEST_F(EditorMapTest, RefusesPrecompiledTilesAndDamagedLayers) {
    auto faultOf = [this](const mapBytes& file) {
        std::istringstream in(file.str());
        try {
            map.readMap(in, "maps/m.kvm");
        } catch (const mapFault& fault) {
            return fault.reason;
        }
        return std::string();
    };
    EXPECT_EQ(faultOf(mapBytes().header('S', "t.dat", 1, 1).byte(0).byte(1).byte(0xFF)),
              "Precompiled scripts are illegal for editing");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 1, 1).byte(3).byte(0)), "Invalid tile number");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 1, 1)), "Unexpected end of file");
    EXPECT_EQ(faultOf(mapBytes().byte(0).byte(7)), "Unexpected end of file");
    mapBytes().header('S', "t.dat", 1, 1).byte(0).byte(1).byte(0xFF).write("pre.kvm");
    std::ifstream file("pre.kvm", std::ios::binary);
    EXPECT_EXIT(map.loadMap(file, "pre.kvm"), testing::ExitedWithCode(0),
                "Error013: Editor error:\nPrecompiled scripts are illegal for editing");
}

TEST_F(EditorMapTest, OverviewOf100By50MapIn400By300UsesFourPixelTilesAndIsReusedFor128Ticks) {
    create(100, 50);
    BITMAP* overview = map.getMapPreview(400, 300);
    EXPECT_EQ(map.getSmallSize(), 4);
    EXPECT_EQ(overview->w, 400);
    EXPECT_EQ(overview->h, 200);
    map.setTile(0, 0, 1);
    for (int tick = 0; tick < 127; ++tick) map.poll();
    EXPECT_EQ(getpixel(map.getMapPreview(400, 300), 1, 1), maptest::tileColour(0));
    map.poll();
    EXPECT_EQ(getpixel(map.getMapPreview(400, 300), 1, 1), maptest::tileColour(1));
    // More tiles than the box has pixels: one pixel per tile.
    create(500, 20);
    for (int tick = 0; tick < 128; ++tick) map.poll();
    EXPECT_EQ(map.getMapPreview(400, 300)->w, 500);
    EXPECT_EQ(map.getSmallSize(), 1);
}

TEST_F(EditorMapTest, DrawsScriptTilesRedWhileF2IsHeldAndThePreviewTile) {
    create(3, 2);
    map.getScriptPath(1) = "scripts/door.ukv";
    int x = 0, y = 0;
    map.draw(x, y);
    EXPECT_EQ(getpixel(global.buffer, 40, 5), maptest::tileColour(0));
    key[KEY_F2] = 1;
    map.draw(x, y);
    EXPECT_EQ(getpixel(global.buffer, 40, 5), makecol(255, 0, 0));
    key[KEY_F2] = 0;
    int tile = 7;
    map.draw(x, y, 4, tile);
    EXPECT_EQ(tile, 2) << "lowered to the last tile of the set";
    EXPECT_EQ(getpixel(global.buffer, 40, 40), maptest::tileColour(2));
    EXPECT_EQ(map.tiles[4], 0) << "the map itself is unchanged";
}

TEST_F(EditorMapTest, RoundTripThroughTheSinglePlayerReaderKeepsEverything) {
    create(4, 3, true);
    map.setTile(3, 2, 2);
    map.setTile(0, 1, 1);
    map.getScriptPath(2, 0) = "elsewhere/deep/door.ukv";
    addUnit(0, 48.5f, 40.25f, 64, 0, "");
    addUnit(1, 100, 70, -56, 1, "x/guard.ukv");
    addUnit(3, 20, 90, 3, 2, "");
    ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, false));

    std::ifstream file("maps/level.kvm", std::ios::binary);
    VirtualMachine vm;
    SPmapClass game;
    game.loadMap(file, "maps/level.kvm", 'S', vm);
    EXPECT_EQ(game.tiles, map.tiles);
    ASSERT_EQ(game.events.count(2), 1u);
    EXPECT_GT(game.events[2].onUse.getLength(), 0);
    mapFileReader rest(file, "maps/level.kvm");
    EXPECT_EQ(rest.byte(), 0);
    EXPECT_EQ(rest.byte(), 1);
    EXPECT_EQ(rest.text(), "intro");
    EXPECT_EQ(rest.text(), "chars.txt");
    ASSERT_EQ(rest.int32(), 3);
    for (int i = 0; i < 3; ++i) {
        const unitRecord u = readUnitRecord(rest, 4, 3);
        EXPECT_EQ(u.type, units[i].type);
        EXPECT_EQ(u.x, units[i].posX);
        EXPECT_EQ(u.y, units[i].posY);
        EXPECT_EQ(u.direction, units[i].direction);
        EXPECT_EQ(u.state, 0);
        EXPECT_EQ(u.scriptPath, i == 1 ? "scripts/guard.ukv" : "");
    }
    EXPECT_EQ(file.get(), EOF);
}
