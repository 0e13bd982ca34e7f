#include "map/map_class.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/globals.h"
#include "map/map_file.h"
#include "map/multiplayer_map.h"
#include "map_test_files.h"

using maptest::mapBytes;

namespace {

class MapClassTest : public testing::Test {
protected:
    void SetUp() override {
        global.buffer = create_bitmap(800, 600);
        // Tile 0 floor, 1 and 2 animate into each other, 3 solid.
        maptest::writeTileset("t.dat", {0, 0, 0, 1}, {0, 2, 1, 3});
    }
    void TearDown() override {
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
    }
    std::string faultOf(const mapBytes& file) {
        std::istringstream in(file.str());
        try {
            map.readMap(in, "mpmaps/m.kvm");
        } catch (const mapFault& fault) {
            return fault.reason;
        }
        return "";
    }
    void load(int width, int height, std::vector<int> tiles = {}) {
        mapBytes file;
        file.header('M', "t.dat", width, height);
        tiles.resize(width * height, 0);
        for (int t : tiles) file.byte(t).byte(0);
        ASSERT_EQ(faultOf(file), "");
    }
    scopedWorkDir dir;
    mapClass map;
};

}  // namespace

TEST_F(MapClassTest, LoadsTheTileLayerAndStopsAtTheGlobalScriptFlag) {
    std::istringstream in(mapBytes().header('M', "t.dat", 3, 2).raw({1, 0, 2, 0, 3, 0, 0, 0, 0, 0, 1, 0}).byte(0x5A).str());
    map.readMap(in, "m");
    EXPECT_EQ(map.mapType, 'M');
    EXPECT_EQ(map.tileCount, 6);
    EXPECT_EQ(map.tiles, (std::vector<char>{1, 2, 3, 0, 0, 1}));
    EXPECT_EQ(map.getMapWidth(), 96);
    EXPECT_EQ(map.getMapHeight(), 64);
    EXPECT_EQ(map.visibleColumns, 3);
    EXPECT_EQ(map.largestCentreX, 96 - 400);
    EXPECT_EQ(in.get(), 0x5A);
}

TEST_F(MapClassTest, RefusesWrongVersionsTypesAndBrokenFiles) {
    EXPECT_EQ(faultOf(mapBytes().byte(0).byte(6).byte('B').byte('M')), "Version mismatch");
    EXPECT_EQ(faultOf(mapBytes().header('S', "t.dat", 1, 1).plainTiles(1)), "Wrong map type");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 2, 2).plainTiles(3)), "Unexpected end of file");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 0, 2)), "Invalid map size");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 1, 4097)), "Invalid map size");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 2, 1).byte(0).byte(0).byte(4).byte(0)), "Invalid tile number");
    EXPECT_EQ(faultOf(mapBytes().header('M', "t.dat", 1, 1).byte(0).byte(2).text("scripts/a.ukv")),
              "Scripts in multiplayer maps are not allowed!");
    std::ifstream none("missing.kvm", std::ios::binary);
    EXPECT_EXIT(map.loadMap(none, "mpmaps/missing.kvm"), testing::ExitedWithCode(0),
                "Error010: Could not load map \"mpmaps/missing.kvm\" for the following reason:\nUnexpected end of file");
}

TEST_F(MapClassTest, AnimatesEverySixteenthPoll) {
    load(3, 1, {0, 1, 2});
    for (int i = 0; i < 15; ++i) map.poll();
    EXPECT_EQ(map.tiles, (std::vector<char>{0, 1, 2}));
    map.poll();
    EXPECT_EQ(map.tiles, (std::vector<char>{0, 2, 1}));
    for (int i = 0; i < 16; ++i) map.poll();
    EXPECT_EQ(map.tiles, (std::vector<char>{0, 1, 2}));
    // A tile number a script put outside the set stays as it is.
    map.tiles[0] = 100;
    for (int i = 0; i < 16; ++i) map.poll();
    EXPECT_EQ(map.tiles[0], 100);
}

TEST_F(MapClassTest, KeepsUnitsEightPixelsInsideTheEdges) {
    load(10, 10);
    struct probe {
        float x;
        bool passes;
    };
    for (probe p : {probe{7.9f, false}, probe{8.0f, true}, probe{312.0f, true}, probe{312.1f, false}}) {
        float x = p.x, y = 100;
        EXPECT_EQ(map.handleMoveRequest(x, y, 50, 60), p.passes) << p.x;
        EXPECT_EQ(x, p.passes ? p.x : 50) << p.x;
        EXPECT_EQ(y, 100) << "the free axis slides";
        float vx = 100, vy = p.x;
        EXPECT_EQ(map.handleMoveRequest(vx, vy, 50, 60), p.passes) << p.x;
        EXPECT_EQ(vy, p.passes ? p.x : 60) << p.x;
    }
}

TEST_F(MapClassTest, SolidTileRestoresBothCoordinates) {
    load(3, 3, {0, 0, 0, 0, 3, 0, 0, 0, 0});
    float x = 40, y = 48;  // only y moved, into the solid tile (1, 1)
    EXPECT_FALSE(map.handleMoveRequest(x, y, 41, 20));
    EXPECT_EQ(x, 41);
    EXPECT_EQ(y, 20);
}

TEST_F(MapClassTest, PositionsWhoseTileLiesOffTheMapAreBlocked) {
    load(2, 2);
    for (float bad : {-40.0f, -1.0f, 64.5f, 1e30f, -1e30f, std::nanf("")}) {
        float x = bad, y = 20;
        EXPECT_FALSE(map.handleMoveRequest(x, y, 16, 16));
        EXPECT_EQ(x, 16);
        EXPECT_EQ(y, 16);
    }
    // Truncation toward zero puts (-1, 0) on column 0: only the edge test refuses it.
    float x = -0.5f, y = 20;
    EXPECT_FALSE(map.handleMoveRequest(x, y, 16, 16));
    EXPECT_EQ(y, 20);
}

TEST_F(MapClassTest, DrawsAMapSmallerThanTheScreenFromItsTopLeftCorner) {
    load(4, 3, {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3});
    clear_to_color(global.buffer, makecol(1, 2, 3));
    int x = 500, y = 900;
    map.draw(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(getpixel(global.buffer, 0, 0), maptest::tileColour(1));
    EXPECT_EQ(getpixel(global.buffer, 32, 31), maptest::tileColour(2));
    EXPECT_EQ(getpixel(global.buffer, 127, 95), maptest::tileColour(3));
    EXPECT_EQ(getpixel(global.buffer, 128, 0), makecol(1, 2, 3));
}

TEST_F(MapClassTest, DrawsALargeMapAroundTheViewCentre) {
    std::vector<int> tiles(40 * 30, 0);
    tiles[10 * 40 + 20] = 2;
    load(40, 30, tiles);
    int x = 20 * 32 + 5, y = 10 * 32 + 7;
    map.draw(x, y);
    EXPECT_EQ(x, 20 * 32 + 5 - 400);
    EXPECT_EQ(y, 10 * 32 + 7 - 300);
    EXPECT_EQ(getpixel(global.buffer, 400 - 5, 300 - 7), maptest::tileColour(2));
    int farX = 100000, farY = 100000;
    map.draw(farX, farY);
    EXPECT_EQ(farX, 40 * 32 - 800);
    EXPECT_EQ(farY, 30 * 32 - 600);
}

TEST(MultiplayerMap, ReadsSpawnPointsAndRefusesSinglePlayerParts) {
    auto faultOf = [](const mapBytes& tail) {
        std::istringstream in(tail.str());
        mapFileReader r(in, "m");
        try {
            readSpawnPoints(r, 2, 3);
        } catch (const mapFault& fault) {
            return fault.reason;
        }
        return std::string();
    };
    auto spawn = [](mapBytes& b, int mode) { b.byte(0).float32(48).float32(80).byte(0x80).byte(0).byte(mode); };
    mapBytes good;
    good.byte(0).byte(0).text("chars.txt").int32(2);
    spawn(good, 0);
    spawn(good, 0);
    std::istringstream in(good.str());
    mapFileReader r(in, "m");
    const std::vector<spawnPoint> points = readSpawnPoints(r, 2, 3);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].x, 48);
    EXPECT_EQ(points[1].y, 80);
    EXPECT_EQ(points[1].direction, -128);

    EXPECT_EQ(faultOf(mapBytes().byte(1)), "Global scripts in multiplayer maps are not allowed!");
    EXPECT_EQ(faultOf(mapBytes().byte(0).byte(1)), "Multiplayer maps must not belong to a campaign");
    EXPECT_EQ(faultOf(mapBytes().byte(0).byte(0).text("c").int32(0)), "No spawn points on map!");
    mapBytes scripted;
    scripted.byte(0).byte(0).text("c").int32(2);
    spawn(scripted, 0);
    spawn(scripted, 2);
    EXPECT_EQ(faultOf(scripted), "Scripts in multiplayer maps are not allowed!");
    EXPECT_EQ(faultOf(mapBytes().byte(0).byte(0).text("c").int32(1000000)), "Unexpected end of file");
}
