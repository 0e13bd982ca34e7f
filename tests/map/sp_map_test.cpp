#include "map/sp_map.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/globals.h"
#include "map/map_file.h"
#include "map_test_files.h"
#include "script/compiler.h"
#include "script/virtual_machine.h"
#include "world/entity.h"

using maptest::mapBytes;

namespace {

// Each event appends its digit to %50, so the order of a tick reads as a number.
std::string step(int digit) { return "mul %50 10\nadd %50 " + std::to_string(digit) + "\n"; }

class SPmapTest : public testing::Test {
protected:
    void SetUp() override {
        global.buffer = create_bitmap(800, 600);
        std::filesystem::create_directory("scripts");
        maptest::writeTileset("t.dat", {0, 1, 2, 3}, {0, 1, 2, 3});
        writeFileText("a.ukv", "event duringTouch\n" + step(4) + "end\nevent onLeave\n" + step(3) +
                                   "set %54 THISX\nset %55 THISY\nend\n");
        writeFileText("b.ukv", "event duringTouch\n" + step(1) + "set %52 THISGRAPHIC\nend\nevent onEnter\n" +
                                   step(2) + "set %53 THISX\nend\nevent onUse\n" + step(5) + "end\n");
        writeFileText("c.ukv", "event onEnter\n" + step(7) + "end\n");
        writeFileText("boom.ukv", "event onExplode\nadd %60 1\nset %61 THISX\nend\n");
    }
    void TearDown() override {
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
    }
    std::string faultOf(const mapBytes& file, char type = 'S') {
        std::istringstream in(file.str());
        try {
            map.readMap(in, "maps/m.kvm", type, vm, [this](bytecode& c) { vm.compute(c); });
        } catch (const mapFault& fault) {
            return fault.reason;
        }
        return "";
    }
    // A 3 x 3 floor map: A at (0, 1), B at (1, 1), C at (1, 2).
    void loadScriptedMap() {
        mapBytes file;
        file.header('S', "t.dat", 3, 3).plainTiles(3);
        file.byte(0).byte(2).text("a.ukv").byte(0).byte(2).text("b.ukv").plainTiles(1);
        file.plainTiles(1).byte(0).byte(2).text("c.ukv").plainTiles(1);
        ASSERT_EQ(faultOf(file), "");
    }
    int& var(int i) { return vm.variables[i]; }
    void judge(float oldX, float oldY, float newX, float newY, int scripts, int rights, int use = 0) {
        moveRequest r;
        r.set(oldX, oldY, newX, newY, scripts, rights, 8);
        map.handleMoveRequest(&r, vm, use);
        last = r;
    }
    void stand(float x, float y, int scripts) {
        moveRequest r;
        r.oldPosX = r.newPosX = x;
        r.oldPosY = r.newPosY = y;
        r.scripts = scripts;
        map.handleMoveRequest(&r, vm, 0);
        last = r;
    }
    scopedWorkDir dir;
    VirtualMachine vm;
    SPmapClass map;
    moveRequest last;
};

}  // namespace

// The events a move runs, in order: each appends its digit to %50 (A's
// touch 4, leave 3; B's touch 1, enter 2, use 5; C's enter 7).
TEST_F(SPmapTest, MovesRunTheTileEventsInTheirOrder) {
    const struct {
        const char* what;
        float oldX, oldY, newX, newY;
        int scripts, use;
        int order;
        bool declined;
    } rows[] = {
        {"standing: touch", 10, 40, 10, 40, SCRIPT_ENTER_LEAVE, 0, 4, false},
        {"standing with the use flag", 40, 40, 40, 40, SCRIPT_ENTER_LEAVE | SCRIPT_USE, 0, 15, false},
        {"walking within a tile: touch only", 10, 40, 12, 41, SCRIPT_ENTER_LEAVE, 0, 4, false},
        {"crossing: touch, enter the new, leave the old", 30, 40, 34, 40, SCRIPT_ENTER_LEAVE, 0, 123, false},
        {"crossing without the entering bit (an enemy)", 34, 40, 30, 40, 0, 0, 0, false},
        {"use on a move", 40, 40, 44, 40, SCRIPT_ENTER_LEAVE | SCRIPT_USE, 1, 155, false},
        {"stopped at the edge: the old tile's touch, no enter", 48, 60, 48, 90, SCRIPT_ENTER_LEAVE, 0, 1, true},
    };
    loadScriptedMap();
    for (const auto& row : rows) {
        var(50) = 0;
        if (row.oldX == row.newX && row.oldY == row.newY) stand(row.oldX, row.oldY, row.scripts);
        else judge(row.oldX, row.oldY, row.newX, row.newY, row.scripts, 1, row.use);
        EXPECT_EQ(var(50), row.order) << row.what;
        EXPECT_EQ(last.wasDeclined(), row.declined) << row.what;
    }
    // Crossing from A to B: each event sees its own tile.
    judge(30, 40, 34, 40, SCRIPT_ENTER_LEAVE, 1);
    EXPECT_EQ(var(53), 1) << "onEnter sees B's column";
    EXPECT_EQ(var(54), 0) << "onLeave sees A's column";
    EXPECT_EQ(var(55), 1);
    EXPECT_EQ(var(1), 0);
    EXPECT_EQ(var(2), 1);
    // Standing runs the touch every tick.
    var(50) = 0;
    for (int tick = 0; tick < 3; ++tick) stand(10, 40, SCRIPT_ENTER_LEAVE);
    EXPECT_EQ(var(50), 444);
    // Declined by a solid tile: use of the old tile first, then its touch, then the flag's use.
    var(50) = 0;
    map.tiles[5] = 3;
    judge(40, 40, 70, 40, SCRIPT_ENTER_LEAVE | SCRIPT_USE, 1, 1);
    EXPECT_TRUE(last.wasDeclined());
    EXPECT_EQ(var(50), 515);
}

TEST_F(SPmapTest, BulletsPassLowSolidityAndExplodeAtHigherSolidity) {
    mapBytes file;
    file.header('S', "t.dat", 3, 1).byte(0).byte(0).byte(1).byte(0).byte(2).byte(2).text("boom.ukv");
    ASSERT_EQ(faultOf(file), "");
    judge(16, 16, 40, 16, SCRIPT_ENTER_LEAVE, 1);
    EXPECT_TRUE(last.wasDeclined()) << "solidity 1 stops the player";
    judge(16, 16, 40, 16, SCRIPT_EXPLODE, 2);
    EXPECT_FALSE(last.wasDeclined()) << "a bullet passes solidity 1";
    judge(40, 16, 70, 16, 0, 2);
    EXPECT_TRUE(last.wasDeclined());
    EXPECT_EQ(var(60), 0) << "only a splintering bullet sets off onExplode";
    judge(40, 16, 70, 16, SCRIPT_EXPLODE, 2);
    EXPECT_TRUE(last.wasDeclined());
    EXPECT_EQ(var(60), 1);
    EXPECT_EQ(var(61), 2);
    judge(40, 16, 70, 16, SCRIPT_EXPLODE, 3);
    EXPECT_FALSE(last.wasDeclined()) << "a grenade passes solidity 2";
}

TEST_F(SPmapTest, RequestsOffTheMapAreDeclinedWithoutLookingTilesUp) {
    loadScriptedMap();
    judge(40, 40, -500, 1e30f, SCRIPT_ENTER_LEAVE | SCRIPT_EXPLODE, 3);
    EXPECT_TRUE(last.wasDeclined());
    EXPECT_EQ(last.getNewPosX(), 40);
    judge(-500, -500, 40, 40, SCRIPT_ENTER_LEAVE, 1);
    EXPECT_FALSE(last.wasDeclined());
    stand(-500, 40, SCRIPT_ENTER_LEAVE);
    map.handleMoveRequest(nullptr, vm, 1);
}

TEST_F(SPmapTest, LoadsInlineScriptsAndRunsOnLoadAtOnce) {
    writeFileText("load.ukv", "event onLoad\nadd %61 1\ngraphic 0 0 3\nset %62 -1\nend\nevent onUse\n" + step(9) +
                                  "end\n");
    unsigned char buffer[SCRIPT_LIMIT];
    int size = SCRIPT_LIMIT;
    ASSERT_TRUE(compile("load.ukv", "", buffer, &size));
    mapBytes file;
    file.header('S', "t.dat", 2, 1).byte(0).byte(0).byte(1).byte(1).raw({buffer, buffer + size}).byte(0x77);
    std::istringstream in(file.str());
    map.readMap(in, "m", 'S', vm, [this](bytecode& c) { vm.compute(c); });
    EXPECT_EQ(in.get(), 0x77);
    EXPECT_EQ(var(61), 1);
    EXPECT_EQ(var(62), -1);
    EXPECT_EQ(map.tiles[0], 3) << "onLoad changed a tile already read";
    ASSERT_EQ(map.events.count(1), 1u);
    EXPECT_GT(map.events[1].onUse.getLength(), 0);
    EXPECT_EQ(map.events[1].onEnter.getLength(), 0);
}

TEST_F(SPmapTest, TwoTilesNamingOneSourceCompileItEachThroughTheTemporaryFile) {
    writeFileText("load.ukv", "event onLoad\nadd %61 1\nend\nevent onUse\n" + step(9) + "end\n");
    mapBytes file;
    file.header('S', "t.dat", 2, 1).byte(0).byte(2).text("load.ukv").byte(0).byte(2).text("load.ukv");
    ASSERT_EQ(faultOf(file), "");
    EXPECT_EQ(var(61), 2);
    EXPECT_EQ(map.events.size(), 2u);
    std::vector<unsigned char> compiled = readFileBytes(TEMP_SCRIPT_FILE);
    ASSERT_FALSE(compiled.empty());
    EXPECT_EQ(compiled.back(), 0xFF);
}

TEST_F(SPmapTest, RefusesWrongTypesOversizedAndUncompilableScripts) {
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 1, 1).plainTiles(1)), "Wrong map type");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 1, 1).plainTiles(1), 'M'), "");
    std::vector<unsigned char> big = {0x01, 0x06, 0x0A};
    big.resize(1100, 'x');
    EXPECT_EQ(faultOf(mapBytes().header('S', "t.dat", 1, 1).byte(0).byte(1).raw(big)), "Script too big");
    EXPECT_EQ(faultOf(mapBytes().header('S', "t.dat", 1, 1).byte(0).byte(2).text("missing.ukv")),
              "An error occured in compile stage.\nSee compiler.log for details.");
    EXPECT_EQ(faultOf(mapBytes().header('S', "t.dat", 2, 1).byte(0).byte(2).text("a.ukv").byte(9)),
              "Invalid tile number");
    std::ifstream none("none.kvm", std::ios::binary);
    EXPECT_EXIT(map.loadMap(none, "maps/none.kvm", 'S', vm), testing::ExitedWithCode(0),
                "Error010: Could not load map \"maps/none.kvm\"");
    mapBytes().header('S', "t.dat", 1, 1).byte(0).byte(2).text("missing.ukv").write("bad.kvm");
    std::ifstream bad("bad.kvm", std::ios::binary);
    EXPECT_EXIT(map.loadMap(bad, "maps/bad.kvm", 'S', vm), testing::ExitedWithCode(0),
                "Error012: Script error:\nAn error occured in compile stage");
}

TEST_F(SPmapTest, PreviewOfA40By30MapIn200By200UsesFivePixelTiles) {
    mapBytes file;
    file.header('S', "t.dat", 40, 30).plainTiles(40 * 30, 2);
    ASSERT_EQ(faultOf(file), "");
    BITMAP* preview = map.getMapPreview(200, 200);
    EXPECT_EQ(map.getSmallSize(), 5);
    EXPECT_EQ(preview->w, 200);
    EXPECT_EQ(preview->h, 150);
    EXPECT_EQ(getpixel(preview, 7, 7), maptest::tileColour(2));
    EXPECT_EQ(map.getMapPreview(10, 10), preview) << "kept whatever the arguments";
}
