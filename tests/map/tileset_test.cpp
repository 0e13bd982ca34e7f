#include "map/tileset.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "map_fixture.h"

using namespace maptest;

TEST(Tileset, ReadsTheStripAndTableAndRefusesDamagedSets) {
    scopedWorkDir dir;
    writeTileset("t.dat", {0, 1, -1}, {0, 2, 1});
    tilesetData set = readTileset("t.dat", true, "x");
    EXPECT_EQ(set.count, 3) << "a strip of 96 pixels";
    EXPECT_EQ(set.solidity, (std::vector<signed char>{0, 1, -1}));
    EXPECT_EQ(set.successor, (std::vector<unsigned char>{0, 2, 1}));
    EXPECT_EQ(getpixel(set.strip, 64 + 5, 5), tileColour(2));
    destroy_bitmap(set.strip);

    const struct { const char* what; bytes file; bool withTable; const char* reason; } rows[] = {
        {"strip of 100 pixels", tilesetDatafile(bytes(8, 0), 100), true, "width"},
        {"table one byte short", tilesetDatafile(bytes(5, 0), 96), true, "Tile data too short"},
        {"short table unread by the editor", tilesetDatafile(bytes(5, 0), 96), false, ""},
        {"exact table", tilesetDatafile(bytes(6, 0), 96), true, ""},
        {"successor past the set", tilesetDatafile({0, 0, 0, 0, 1, 3}, 96), true, "Animation successor out of range"},
        {"no datafile", bytes(8, 0), true, "Damaged datafile"},
    };
    for (const auto& row : rows) {
        writeFileBytes("t.dat", row.file);
        const auto read = [&row](std::istream&) { destroy_bitmap(readTileset("t.dat", row.withTable, "width").strip); };
        EXPECT_EQ(faultOf("", read), row.reason) << row.what;
    }
}
