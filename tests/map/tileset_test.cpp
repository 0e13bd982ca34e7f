#include "map/tileset.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <fstream>

#include "map/map_class.h"
#include "map/map_file.h"
#include "map_test_files.h"

using maptest::bytes;

namespace {

std::string faultOf(const std::string& name, bool withTable) {
    try {
        tilesetData set = readTileset(name, withTable, "Each tile has to be 32 pixels wide");
        destroy_bitmap(set.strip);
    } catch (const mapFault& fault) {
        return fault.reason;
    }
    return "";
}

}  // namespace

TEST(Tileset, StripOf96PixelsHasThreeTiles) {
    scopedWorkDir dir;
    maptest::writeTileset("t.dat", {0, 1, -1}, {0, 2, 1});
    tilesetData set = readTileset("t.dat", true, "x");
    EXPECT_EQ(set.count, 3);
    EXPECT_EQ(set.strip->w, 96);
    EXPECT_EQ(set.solidity, (std::vector<signed char>{0, 1, -1}));
    EXPECT_EQ(set.successor, (std::vector<unsigned char>{0, 2, 1}));
    EXPECT_EQ(getpixel(set.strip, 64 + 5, 5), maptest::tileColour(2));
    destroy_bitmap(set.strip);
}

TEST(Tileset, RefusesAStripOf100Pixels) {
    scopedWorkDir dir;
    writeFileBytes("t.dat", maptest::tilesetDatafile(bytes(8, 0), 100));
    EXPECT_EQ(faultOf("t.dat", true), "Each tile has to be 32 pixels wide");
    mapClass map;
    EXPECT_EXIT(map.setTileset("t.dat"), testing::ExitedWithCode(0),
                "Error011: Could not load tileset \"t.dat\" for the following reason:\nEach tile has to be 32 pixels wide");
}

TEST(Tileset, RefusesAShortTableOrSuccessorsOutsideTheSet) {
    scopedWorkDir dir;
    writeFileBytes("short.dat", maptest::tilesetDatafile(bytes(5, 0), 96));
    EXPECT_EQ(faultOf("short.dat", true), "Tile data too short");
    // The editor doesn't read the table.
    EXPECT_EQ(faultOf("short.dat", false), "");
    writeFileBytes("exact.dat", maptest::tilesetDatafile(bytes(6, 0), 96));
    EXPECT_EQ(faultOf("exact.dat", true), "");
    maptest::writeTileset("next.dat", {0, 0, 0}, {0, 1, 3});
    EXPECT_EQ(faultOf("next.dat", true), "Animation successor out of range");
}

TEST(Tileset, RefusesMissingAndDamagedDatafiles) {
    scopedWorkDir dir;
    mapClass map;
    EXPECT_EXIT(map.setTileset("none.dat"), testing::ExitedWithCode(0), "Error007: Loading datafile \"none.dat\"");
    bytes cut = maptest::tilesetDatafile(bytes(6, 0), 96);
    cut.resize(cut.size() - 10);
    writeFileBytes("cut.dat", cut);
    EXPECT_EQ(faultOf("cut.dat", true), "Damaged datafile");
}

TEST(Tileset, ReadsTheGameFolderSets) {
    struct shipped {
        const char* file;
        int tiles;
    };
    for (shipped set : {shipped{"/data/tiles/outdoor.dat", 47}, shipped{"/data/tiles/indoor.dat", 50}}) {
        const std::string path = std::string(KORVALT_GAME_DIR) + set.file;
        if (!std::ifstream(path)) GTEST_SKIP() << "no game folder at " << KORVALT_GAME_DIR;
        tilesetData read = readTileset(path, true, "x");
        EXPECT_EQ(read.count, set.tiles) << set.file;
        destroy_bitmap(read.strip);
    }
}
