#include "map/editor_map.h"

#include <filesystem>
#include <tuple>
#include <vector>

#include "app/creator.h"
#include "map/map_writer.h"
#include "map/sp_map.h"
#include "map_fixture.h"
#include "script/virtual_machine.h"
#include "world/unit.h"

using namespace maptest;

namespace {

class EditorMapTest : public MapTest {
protected:
    void SetUp() override {
        MapTest::SetUp();
        for (const char* folder : {"scripts", "maps", "elsewhere/deep"}) std::filesystem::create_directories(folder);
        // The constant -2 (FE FF FF FF) lies where a byte scan once took it for the script's end.
        std::string door = "event onUse\n";
        for (int i = 0; i < 7; ++i) door += "set %50 1\n";
        writeFileText("elsewhere/deep/door.ukv", door + "set %51 -2\nend\n");
        writeFileText("scripts/guard.ukv", "event onKill\nadd %41 1\nend\n");
    }
    void TearDown() override {
        key[KEY_F2] = 0;
        MapTest::TearDown();
    }
    // The map creator's empty map, opened in the editor.
    void create(int width, int height) {
        writeFileText("new.txt", "maps/level.kvm\nt.dat\nchars.txt\n" + std::to_string(width) + " " +
                                     std::to_string(height) + " S 0\n");
        newMap("new.txt");
        std::ifstream created("maps/level.kvm", std::ios::binary);
        map.loadMap(created, "maps/level.kvm");
    }
    // Saves, reads the layer back as the game does and runs the door's onUse
    // at index; in then reads on from field 9.
    void saveAndLoad(bool precompiled, int door) {
        ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, precompiled));
        file.close();
        file.open("maps/level.kvm", std::ios::binary);
        game.loadMap(file, "maps/level.kvm", 'S', vm);
        ASSERT_EQ(game.events.count(door), 1u);
        EXPECT_EQ(vm.run(game.events[door].onUse).text, "");
        EXPECT_EQ(vm.variables[51], -2);
    }
    editorMapClass map;
    std::vector<edUnit> units = std::vector<edUnit>(256);
    std::vector<std::string> unitScripts = std::vector<std::string>(256);
    mapSaveParts parts{false, "", "chars.txt", units.data(), unitScripts.data(), 0};
    VirtualMachine vm;
    SPmapClass game;
    std::ifstream file;
    mapFileReader in{file, "maps/level.kvm"};
};

}  // namespace

// A plain save stores every script as "scripts/" + its file name, in the
// editor too, and the single-player reader gets back all it wrote, facings
// up to 255 included.
TEST_F(EditorMapTest, PlainSaveRoundTripsThroughTheSinglePlayerReader) {
    create(4, 3);
    parts.campaign = true;
    parts.campaignText = "intro";
    map.setTile(3, 2, 2);
    map.getScriptPath(2, 0) = "elsewhere/deep/door.ukv";
    std::filesystem::copy_file("elsewhere/deep/door.ukv", "scripts/door.ukv");
    for (int i = 0; i < 3; ++i) units[i].initialise(16.5f + i, 40.25f, 127 * i + 1, 0);
    unitScripts[1] = "x/guard.ukv";
    parts.unitCount = 3;
    saveAndLoad(false, 2);
    EXPECT_EQ(map.getScriptPath(2), "scripts/door.ukv");
    EXPECT_EQ(readFileText("maps/level.kvm").find("elsewhere"), std::string::npos);
    EXPECT_EQ(game.tiles, map.tiles);
    using tail = std::tuple<int, int, std::string, std::string, int>;  // braces read the fields in order
    EXPECT_EQ((tail{in.byte(), in.byte(), in.text(), in.text(), in.int32()}), (tail{0, 1, "intro", "chars.txt", 3}));
    for (int i = 0; i < 3; ++i) {
        const unitRecord u = readUnitRecord(in, 4, 3);
        EXPECT_EQ(std::tie(u.x, u.direction, u.scriptPath),
                  std::make_tuple(16.5f + i, 127 * i + 1, i == 1 ? "scripts/guard.ukv" : ""));
    }
    EXPECT_EQ(file.get(), EOF);
}

TEST_F(EditorMapTest, PrecompiledSaveIncludesTheGlobalScriptOnlyWhenItExists) {
    create(2, 1);
    map.getScriptPath(0) = "elsewhere/deep/door.ukv";
    units[0].initialise(16, 16, 0, 0);
    unitScripts[0] = "scripts/guard.ukv";
    parts.unitCount = 1;
    for (int global : {0, 1}) {
        if (global) writeFileText("scripts/levelglobal.ukv", "event global\nadd %42 1\nend\n");
        saveAndLoad(true, 0);
        EXPECT_EQ(in.byte(), global);
        if (global) in.script(GLOBAL_SCRIPT_LIMIT);
        using tail = std::tuple<int, std::string, int>;  // braces read the fields in order
        EXPECT_EQ((tail{in.byte(), in.text(), in.int32()}), (tail{0, "chars.txt", 1}));
        EXPECT_EQ(readUnitRecord(in, 2, 1).scriptMode, SCRIPT_COMPILED);
    }
    EXPECT_EQ(map.getScriptPath(0), "elsewhere/deep/door.ukv") << "a pre-compiled save keeps the paths";
    EXPECT_EQ(globalScriptSource("x/maps/level.kvm"), "scripts/levelglobal.ukv");
    EXPECT_EQ(globalScriptSource("maps/.kvm"), "");
}

// The overview of a 100 x 50 map in 400 x 300 has 4-pixel tiles and is
// reused for 128 ticks.
TEST_F(EditorMapTest, DrawsTheOverviewAndTheTiles) {
    create(100, 50);
    BITMAP* overview = map.getMapPreview(400, 300);
    EXPECT_EQ(std::make_tuple(map.getSmallSize(), overview->w, overview->h), std::make_tuple(4, 400, 200));
    map.setTile(0, 0, 1);
    for (int tick = 0; tick < 127; ++tick) map.poll();
    EXPECT_EQ(getpixel(map.getMapPreview(400, 300), 1, 1), tileColour(0));
    map.poll();
    EXPECT_EQ(getpixel(map.getMapPreview(400, 300), 1, 1), tileColour(1));
    // Script tiles are red while F2 is held; the tile under the cursor shows the one to paint.
    map.getScriptPath(1) = "scripts/door.ukv";
    int x = 0, y = 0;
    map.draw(x, y);
    EXPECT_EQ(getpixel(global.buffer, 40, 5), tileColour(0));
    key[KEY_F2] = 1;
    map.draw(x, y);
    EXPECT_EQ(getpixel(global.buffer, 40, 5), makecol(255, 0, 0));
    key[KEY_F2] = 0;
    int tile = 7;
    map.draw(x, y, 101, tile);
    EXPECT_EQ(tile, 3) << "lowered to the last tile of the set";
    EXPECT_EQ(getpixel(global.buffer, 40, 40), tileColour(3));
    EXPECT_EQ(map.tiles[101], 0) << "the map itself is unchanged";
}
