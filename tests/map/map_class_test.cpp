#include "map/map_class.h"

#include <cmath>

#include "map_fixture.h"

using namespace maptest;

using MapClassTest = MapTest;

// The layer's tiles animate every sixteenth poll; the reader stops at the
// global script flag. Moves are judged by the map's edges and the tile under.
TEST_F(MapClassTest, LoadsAndAnimatesTheTileLayerAndJudgesMovesByTheEdgesAndTheTileUnder) {
    std::istringstream in(mapOf('M', 3, 1).raw({0, 0, 1, 0, 2, 0}).byte(0x5A).str());
    mapClass map;
    map.readMap(in, "m");
    EXPECT_EQ(in.get(), 0x5A);
    EXPECT_EQ(std::make_pair(map.getMapWidth(), map.getMapHeight()), std::make_pair(96, 32)) << "in pixels";
    for (int i = 0; i < 15; ++i) map.poll();
    EXPECT_EQ(map.tiles, (std::vector<char>{0, 1, 2}));
    map.poll();
    EXPECT_EQ(map.tiles, (std::vector<char>{0, 2, 1}));
    // A tile number a script put outside the set stays as it is, and blocks.
    map.tiles[0] = 100;
    for (int i = 0; i < 16; ++i) map.poll();
    EXPECT_EQ(map.tiles, (std::vector<char>{100, 1, 2}));
    map.setTileset("t.dat");
    float x = 16, y = 16;
    EXPECT_FALSE(map.handleMoveRequest(x, y, 48, 16));

    // From (50, 20) on a 10 x 10 map whose tile (1, 1) is solid: a unit keeps
    // 8 pixels inside the edges (a blocked axis goes back, the other slides);
    // a solid tile or a position whose tile lies off the map sends both back.
    std::istringstream big(mapOf('M', 10, 10).plainTiles(11).byte(3).byte(0).plainTiles(88).str());
    map.readMap(big, "m");
    struct row { const char* what; float x, y; bool passes; float wantX, wantY; };
    const row rows[] = {
        {"8 pixels from the left edge", 8, 100, true, 8, 100},
        {"nearer the left edge", 7.9f, 100, false, 50, 100},
        {"8 pixels from the right edge", 312, 100, true, 312, 100},
        {"nearer the right edge", 312.1f, 100, false, 50, 100},
        {"8 pixels from the top", 100, 8, true, 100, 8},
        {"nearer the top", 100, 7.9f, false, 100, 20},
        {"nearer the bottom", 100, 312.1f, false, 100, 20},
        {"only y moved, into the solid tile", 50, 48, false, 50, 20},
        {"left of the map", -40, 100, false, 50, 20},
        {"right of the map", 320.5f, 100, false, 50, 20},
        {"below the map", 100, 330, false, 50, 20},
        {"far away", 1e30f, 100, false, 50, 20},
        {"not a number", std::nanf(""), 100, false, 50, 20},
        // Truncation toward zero puts it on column 0: only the edge refuses it.
        {"half a pixel left of the map", -0.5f, 100, false, 50, 100},
    };
    for (const row& r : rows) {
        float toX = r.x, toY = r.y;
        EXPECT_EQ(map.handleMoveRequest(toX, toY, 50, 20), r.passes) << r.what;
        EXPECT_EQ(std::make_pair(toX, toY), std::make_pair(r.wantX, r.wantY)) << r.what;
    }
}

// The view centre stays half a screen inside a map larger than the screen.
TEST_F(MapClassTest, DrawsAroundTheViewCentreKeptOnTheMap) {
    std::istringstream in(mapOf('M', 40, 30).plainTiles(10 * 40 + 20).raw({2, 0}).plainTiles(779).str());
    mapClass map;
    map.readMap(in, "m");
    int x = 20 * 32 + 5, y = 10 * 32 + 7;
    map.draw(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(20 * 32 + 5 - 400, 10 * 32 + 7 - 300));
    EXPECT_EQ(getpixel(global.buffer, 400 - 5, 300 - 7), tileColour(2));
    x = y = 100000;
    map.draw(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(40 * 32 - 800, 30 * 32 - 600));
}
