// The settings file: a 63-byte record written whole, read back field by
// field, and taken as absent when it is damaged.
#include <gtest/gtest.h>

#include <vector>

#include "app/globals.h"
#include "app/helpers.h"
#include "support/test_files.h"

using bytes = std::vector<unsigned char>;

static bytes recordOf(const globals& g) {
    bytes b(SETTINGS_SIZE);
    g.toBytes(b.data());
    return b;
}

// The defaults byte by byte: full screen, vsync, the twelve key codes as
// little-endian 32-bit numbers, frame skip 4, no video bitmaps, the colour
// depth, volumes 255 and 175, complex sound, screenshot 0. Then every field
// at the edge of its range survives a save and a load, and taking over the
// settings leaves the frame-skip limit, the resources and the session state
// alone.
TEST(SettingsTest, TheRecordRoundTripsIsTakenOverAndIsAFirstStartOrMendedWhenDamaged) {
    scopedWorkDir dir;
    globals g;
    g.create();
    bytes expected = {1, 1};
    for (int code : {1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13})
        expected.insert(expected.end(), {static_cast<unsigned char>(code), 0, 0, 0});
    expected.insert(expected.end(), {4, 0, static_cast<unsigned char>(g.colorDepth), 0, 0, 0, 255, 175, 1, 0, 0, 0, 0});
    EXPECT_EQ(readFileBytes("settings"), expected);
    g.mode = 2, g.vsync = 0, g.keys[0] = 126, g.keys[1] = 1, g.maxFrameSkip = 127, g.videoBitmaps = 1;
    g.colorDepth = 16, g.sfxVolume = 0, g.musicVolume = 3, g.complexSfx = 0, g.screenshotNumber = 123456;
    g.save();
    EXPECT_FALSE(fileExists("settings.tmp"));
    globals loaded;
    loaded.loadSettings();
    EXPECT_EQ(recordOf(loaded), recordOf(g));
    loaded.bloodMode = 1, loaded.firstStart = 1, loaded.netDriver = 5, loaded.buffer = reinterpret_cast<BITMAP*>(&g);
    globals copy;
    copy.maxFrameSkip = 9;
    copy = loaded;
    loaded.maxFrameSkip = 9;
    EXPECT_EQ(recordOf(copy), recordOf(loaded));
    EXPECT_TRUE(copy.bloodMode == 1 && copy.firstStart + copy.netDriver == 0 && !copy.buffer);
    // A settings file that is not a whole, sensible record is taken as
    // absent: defaults, a first start, and the file written anew. Fields
    // that can't stop the game from starting are mended one by one instead.
    globals usual;
    usual.setDefaults(32);
    const bytes record = recordOf(usual);
    const auto with = [&](std::size_t at, unsigned char value) { bytes b = record; b[at] = value; return b; };
    const struct { const char* what; bytes file; bool refused; } rows[] = {  // no bytes: no file
        {"missing", {}, true},
        {"one byte long", [&] { bytes b = record; b.push_back(0); return b; }(), true},
        {"mode 3", with(0, 3), true},
        {"key code 0", with(2 + 4 * 3, 0), true},
        {"key code 127", with(2 + 4 * 5, 127), true},
        {"frame skip 0", with(50, 0), true},
        {"colour depth 8", with(52, 8), true},
        {"mode 0 reads as full screen", with(0, 0), false},
        {"vsync 7 is reset", with(1, 7), false},
        {"video bitmaps 5 are reset", with(51, 5), false},
        {"complex sound 2 is reset", with(58, 2), false},
        {"a negative screenshot number is 0", with(62, 0x80), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        scopedWorkDir dir;
        if (!row.file.empty()) writeFileBytes("settings", row.file);
        globals g;
        g.loadSettings();
        usual.setDefaults(g.colorDepth);
        EXPECT_EQ(g.firstStart, row.refused ? 1 : 0);
        EXPECT_EQ(recordOf(g), recordOf(usual));
        EXPECT_EQ(readFileBytes("settings"), row.refused ? recordOf(usual) : row.file);
    }
}
