#include "map/map_file.h"

#include <fstream>
#include <functional>
#include <limits>
#include <tuple>

#include "map/editor_map.h"
#include "map/map_class.h"
#include "map/multiplayer_map.h"
#include "map/sp_map.h"
#include "map_fixture.h"
#include "script/virtual_machine.h"

using namespace maptest;
using MapFileTest = MapTest;

namespace {

void multiplayer(std::istream& in) { mapClass().readMap(in, "m"); }
void singlePlayer(std::istream& in) {
    VirtualMachine vm;
    SPmapClass().readMap(in, "m", 'S', vm, [&vm](bytecode& c) { vm.compute(c); });
}
// Reads with read as on a map of 2 x 3 tiles.
template <auto read>
void on2x3(std::istream& in) {
    mapFileReader r(in, "m");
    read(r, 2, 3);
}
// Fields 9 on of a multiplayer map, and one unit record.
constexpr auto spawnPoints = on2x3<readSpawnPoints>, oneUnit = on2x3<readUnitRecord>;

mapBytes spawnTail(int count) { return mapBytes().byte(0).byte(0).text("chars.txt").int32(count); }
mapBytes unitAt(mapBytes b, float x, float y, int mode = SCRIPT_NONE) {
    return b.byte(0).float32(x).float32(y).byte(0x80).byte(0).byte(mode);
}

}  // namespace

// Each row breaks one field of a map (or leaves it at its limit) and names
// the reason the reader gives.
TEST_F(MapFileTest, ReadersRefuseEachBrokenField) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const char* const noScripts = "Scripts in multiplayer maps are not allowed!";
    struct row { const char* what; void (*read)(std::istream&); mapBytes data; const char* reason; };
    const row rows[] = {
        {"longest text, then the end", spawnPoints, mapBytes().byte(0).byte(0).text(std::string(1023, 'a')),
         "Unexpected end of file"},
        {"text too long", spawnPoints, mapBytes().byte(0).byte(0).text(std::string(1024, 'a')), "Text field too long"},
        {"other version letter", multiplayer, mapBytes().byte(0).byte(6).byte('B'), "Version mismatch"},
        {"largest map, then the end", multiplayer, mapOf('M', 4096, 4096), "Unexpected end of file"},
        {"too wide", multiplayer, mapOf('M', 4097, 1), "Invalid map size"},
        {"too high", multiplayer, mapOf('M', 1, 4097), "Invalid map size"},
        {"no height", multiplayer, mapOf('M', 1, 0), "Invalid map size"},
        {"negative width", multiplayer, mapOf('M', -5, 3), "Invalid map size"},
        {"last tile of the set", multiplayer, mapOf('M').plainTiles(1, 3), ""},
        {"tile past the set", multiplayer, mapOf('M').plainTiles(1, 4), "Invalid tile number"},
        {"negative tile", multiplayer, mapOf('M').plainTiles(1, 0x80), "Invalid tile number"},
        {"tiles cut short", multiplayer, mapOf('M', 2, 2).plainTiles(3), "Unexpected end of file"},
        {"single-player map as multiplayer", multiplayer, mapOf('S').plainTiles(1), "Wrong map type"},
        {"multiplayer tile with a script", multiplayer, mapOf('M').byte(0).byte(2).text("a.ukv"), noScripts},
        {"multiplayer map as single-player", singlePlayer, mapOf('M').plainTiles(1), "Wrong map type"},
        {"empty script", singlePlayer, mapOf('S').byte(0).byte(1).byte(0xFF), ""},
        {"cut script", singlePlayer, mapOf('S').byte(0).byte(1).raw({0x01, 0x06, 0x0B}), "Unexpected end of file"},
        // The 0xFF of a cut constant is no script end.
        {"script cut in a constant", singlePlayer,
         mapOf('S').byte(0).byte(1).raw({0x01, 0x06, 0x03, 0x0F, 0x28, 0x10, 0xFF}), "Damaged compiled script!"},
        {"script past its limit", singlePlayer, mapOf('S').byte(0).byte(1).raw(bytes(1100, 0x0A)), "Script too big"},
        {"global script", spawnPoints, mapBytes().byte(1), "Global scripts in multiplayer maps are not allowed!"},
        {"campaign", spawnPoints, mapBytes().byte(0).byte(1), "Multiplayer maps must not belong to a campaign"},
        {"no spawn points", spawnPoints, spawnTail(0), "No spawn points on map!"},
        {"spawn point with a script", spawnPoints, unitAt(unitAt(spawnTail(2), 4, 4), 4, 4, SCRIPT_SOURCE), noScripts},
        {"more spawn points than records", spawnPoints, spawnTail(1000000), "Unexpected end of file"},
        // Units and spawn points of a 2 x 3 map may lie at most a tile off it.
        {"unit one tile out, left and bottom", oneUnit, unitAt(mapBytes(), -32, 128), ""},
        {"spawn point one tile out, right and top", spawnPoints, unitAt(spawnTail(1), 96, -32), ""},
        {"unit left", oneUnit, unitAt(mapBytes(), -32.01f, 0), "Invalid unit position"},
        {"spawn point right", spawnPoints, unitAt(spawnTail(1), 96.01f, 0), "Invalid unit position"},
        {"unit below", oneUnit, unitAt(mapBytes(), 0, 129), "Invalid unit position"},
        {"spawn point far away", spawnPoints, unitAt(spawnTail(1), 1e30f, 5), "Invalid unit position"},
        {"unit at no number", oneUnit, unitAt(mapBytes(), nan, 5), "Invalid unit position"},
        {"spawn point at infinity", spawnPoints, unitAt(spawnTail(1), 5, -inf), "Invalid unit position"},
    };
    for (const row& r : rows) EXPECT_EQ(faultOf(r.data.str(), r.read), r.reason) << r.what;
}

// Scripts that fill up to their whole limit with `set %51 -2` (03 0F 33 10
// FE FF FF FF) after a `msg` of `shift` characters: over the shifts, the
// constant's end-like bytes lie at every offset of every power-of-two
// boundary. Shift 2 fills the limit exactly.
TEST(MapFileReader, ScriptsEndAtTheirClosingByteWithinTheirLimit) {
    for (int limit : {SCRIPT_LIMIT, GLOBAL_SCRIPT_LIMIT})
        for (int shift = 0; shift < 8; ++shift) {
            SCOPED_TRACE("limit " + std::to_string(limit) + ", shift " + std::to_string(shift));
            bytes script = {0x01, 0x07, 0x0A};
            script.insert(script.end(), shift, 'a');
            script.push_back(0x00);
            while (static_cast<int>(script.size()) + 8 + 2 <= limit)
                script.insert(script.end(), {0x03, 0x0F, 0x33, 0x10, 0xFE, 0xFF, 0xFF, 0xFF});
            script.insert(script.end(), {0xFE, 0xFF});
            std::istringstream in(mapBytes().raw(script).byte(0x42).str());
            mapFileReader r(in, "m");
            EXPECT_EQ(r.script(limit), script);
            EXPECT_EQ(r.byte(), 0x42);
        }
}

// A unit record reads its script by its mode: nothing for a mode other
// than 1 and 2. A spawn point keeps a signed facing.
TEST(MapFileReader, ReadsUnitRecordsAndSpawnPoints) {
    std::istringstream in(mapBytes().byte(0xF9).float32(40.5f).float32(-2).byte(0xC0).byte(0xFE).byte(7).str() +
                          unitAt(spawnTail(1), 48, 80).str());
    mapFileReader r(in, "m");
    const unitRecord u = readUnitRecord(r, 2, 2);
    EXPECT_EQ(std::tie(u.type, u.x, u.y, u.direction, u.state, u.scriptMode),
              std::make_tuple(-7, 40.5f, -2.0f, 192, -2, 7));
    EXPECT_TRUE(u.script.empty() && u.scriptPath.empty());
    const std::vector<spawnPoint> points = readSpawnPoints(r, 2, 3);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(std::tie(points[0].x, points[0].y, points[0].direction), std::make_tuple(48.0f, 80.0f, -128));
}

// Each kind of fault ends the program with its numbered error.
TEST_F(MapFileTest, FaultsEndTheProgramWithTheirNumberedErrors) {
    writeFileBytes("cut.dat", bytes(8, 0));
    mapOf('S').byte(0).byte(2).text("missing.ukv").write("bad.kvm");
    mapOf('S').byte(0).byte(1).byte(0xFF).write("pre.kvm");
    VirtualMachine vm;
    struct row { const char* file; std::function<void(std::ifstream&)> load; const char* error; };
    const row rows[] = {
        {"", [](std::ifstream&) { mapClass().setTileset("none.dat"); }, "Error007: Loading datafile \"none.dat\""},
        {"", [](std::ifstream&) { editorMapClass().setTileset("none.dat"); }, "Error007: Loading datafile \"none.dat\""},
        {"", [](std::ifstream&) { mapClass().setTileset("cut.dat"); },
         "Error011: Could not load tileset \"cut.dat\" for the following reason:\nDamaged datafile"},
        {"none.kvm", [](std::ifstream& in) { mapClass().loadMap(in, "mpmaps/none.kvm"); },
         "Error010: Could not load map \"mpmaps/none.kvm\" for the following reason:\nUnexpected end of file"},
        {"bad.kvm", [&vm](std::ifstream& in) { SPmapClass().loadMap(in, "maps/bad.kvm", 'S', vm); },
         "Error012: Script error:\nAn error occured in compile stage"},
        {"pre.kvm", [](std::ifstream& in) { editorMapClass().loadMap(in, "pre.kvm"); },
         "Error013: Editor error:\nPrecompiled scripts are illegal for editing"},
    };
    for (const row& r : rows) {
        std::ifstream in(r.file, std::ios::binary);
        EXPECT_EXIT(r.load(in), testing::ExitedWithCode(0), r.error);
    }
}
