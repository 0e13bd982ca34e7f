#include "map/editor_map.h"

#include <filesystem>
#include <tuple>
#include <vector>

#include "map/map_writer.h"
#include "map/sp_map.h"
#include "map_fixture.h"
#include "script/virtual_machine.h"
#include "world/unit.h"

using namespace maptest;

using EditorMapTest = MapTest;

// On a 100 x 50 map: a pre-compiled save keeps the script paths, compiles
// the tile and unit scripts and the global script only when it exists; the
// game runs them. The overview in 400 x 300 has 4-pixel tiles and is reused
// for 128 ticks.
TEST_F(EditorMapTest, SavesPrecompiledAndDrawsTheOverviewAndTheTiles) {
    for (const char* folder : {"maps", "scripts", "elsewhere"}) std::filesystem::create_directories(folder);
    mapOf('S', 100, 50).plainTiles(5000).write("maps/level.kvm");
    std::ifstream level("maps/level.kvm", std::ios::binary);
    editorMapClass map;
    map.loadMap(level, "maps/level.kvm");
    // The constant -2 (FE FF FF FF) lies where a byte scan once took it for the script's end.
    std::string door = "event onUse\n";
    for (int i = 0; i < 7; ++i) door += "set %50 1\n";
    writeFileText("elsewhere/door.ukv", door + "set %51 -2\nend\n");
    writeFileText("scripts/guard.ukv", "event onKill\nadd %41 1\nend\n");
    map.getScriptPath(0) = "elsewhere/door.ukv";
    std::vector<edUnit> units(1);
    units[0].initialise(16, 16, 0, 0);
    std::vector<std::string> unitScripts{"scripts/guard.ukv"};
    mapSaveParts parts{false, "", "chars.txt", units.data(), unitScripts.data(), 1};
    for (int global : {0, 1}) {
        if (global) writeFileText("scripts/levelglobal.ukv", "event global\nadd %42 1\nend\n");
        ASSERT_TRUE(writeMapFile("maps/level.kvm", map, parts, true));
        std::ifstream file("maps/level.kvm", std::ios::binary);
        VirtualMachine vm;
        SPmapClass game;
        game.loadMap(file, "maps/level.kvm", 'S', vm);
        EXPECT_EQ(vm.run(game.events[0].onUse).text, "");
        EXPECT_EQ(vm.variables[51], -2);
        mapFileReader in(file, "maps/level.kvm");
        EXPECT_EQ(in.byte(), global);
        if (global) in.script(GLOBAL_SCRIPT_LIMIT);
        using tail = std::tuple<int, std::string, int>;  // braces read the fields in order
        EXPECT_EQ((tail{in.byte(), in.text(), in.int32()}), (tail{0, "chars.txt", 1}));
        EXPECT_EQ(readUnitRecord(in, 100, 50).scriptMode, SCRIPT_COMPILED);
    }
    EXPECT_EQ(map.getScriptPath(0), "elsewhere/door.ukv");
    EXPECT_EQ(globalScriptSource("x/maps/level.kvm"), "scripts/levelglobal.ukv");
    EXPECT_EQ(globalScriptSource("maps/.kvm"), "");

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
