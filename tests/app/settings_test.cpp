// The settings file: a 63-byte record written whole, read back field by
// field, and taken as absent when it is damaged.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/globals.h"
#include "app/helpers.h"
#include "support/test_files.h"

namespace {

std::vector<unsigned char> recordOf(const globals& g) {
    std::vector<unsigned char> bytes(SETTINGS_SIZE);
    g.toBytes(bytes.data());
    return bytes;
}

int32_t int32At(const std::vector<unsigned char>& b, size_t at) {
    return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

std::vector<unsigned char> defaultRecord() {
    globals g;
    g.setDefaults(32);
    return recordOf(g);
}

TEST(SettingsTest, CreateWritesTheDefaultsAsA63ByteRecord) {
    scopedWorkDir dir;
    globals g;
    g.create();
    const std::vector<unsigned char> file = readFileBytes("settings");
    ASSERT_EQ(file.size(), 63u);
    const std::vector<unsigned char> head = {1, 1};  // full screen, vsync
    EXPECT_EQ(std::vector<unsigned char>(file.begin(), file.begin() + 2), head);
    const int expectedKeys[12] = {1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13};
    for (int i = 0; i < 12; i++) EXPECT_EQ(int32At(file, 2 + 4 * i), expectedKeys[i]) << "slot " << i;
    const std::vector<unsigned char> tail = {4, 0};  // frame skip, video bitmaps
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 50, file.begin() + 52), tail);
    EXPECT_EQ(int32At(file, 52), g.colorDepth);
    const std::vector<unsigned char> sound = {255, 175, 1, 0, 0, 0, 0};  // volumes, complex sound, screenshot
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 56, file.end()), sound);
}

// Every field at the edge of its range survives a save and a load, and a
// whole file is no first start.
TEST(SettingsTest, EveryFieldRoundTripsThroughTheFile) {
    scopedWorkDir dir;
    globals g;
    g.setDefaults(32);
    g.mode = 2;
    g.vsync = 0;
    g.keys[0] = 126;
    g.keys[1] = 1;
    g.maxFrameSkip = 127;
    g.videoBitmaps = 1;
    g.colorDepth = 16;
    g.sfxVolume = 0;
    g.musicVolume = 3;
    g.complexSfx = 0;
    g.screenshotNumber = 123456;
    g.save();
    EXPECT_FALSE(fileExists("settings.tmp"));

    globals loaded;
    loaded.loadSettings();
    EXPECT_EQ(loaded.firstStart, 0);
    EXPECT_EQ(recordOf(loaded), recordOf(g));
}

// A settings file that is not a whole, sensible record is taken as absent:
// defaults, a first start, and the file written anew.
TEST(SettingsTest, MissingOrDamagedFilesAreAFirstStartAndRepaired) {
    const auto with = [](std::size_t at, unsigned char value) {
        std::vector<unsigned char> b = defaultRecord();
        b[at] = value;
        return b;
    };
    const std::vector<unsigned char> record = defaultRecord();
    std::vector<unsigned char> longer = record;
    longer.push_back(0);
    const struct {
        const char* what;
        bool present;
        std::vector<unsigned char> bytes;
    } rows[] = {
        {"missing", false, {}},
        {"empty", true, {}},
        {"one byte short", true, std::vector<unsigned char>(record.begin(), record.end() - 1)},
        {"one byte long", true, longer},
        {"mode 3", true, with(0, 3)},
        {"key code 0", true, with(2 + 4 * 3, 0)},
        {"key code 127", true, with(2 + 4 * 5, 127)},
        {"negative key code", true, with(2 + 4 * 5 + 3, 0x80)},
        {"frame skip 0", true, with(50, 0)},
        {"negative frame skip", true, with(50, 0xFD)},
        {"colour depth 8", true, with(52, 8)},
    };
    for (const auto& row : rows) {
        scopedWorkDir dir;
        if (row.present) writeFileBytes("settings", row.bytes);
        globals g;
        g.loadSettings();
        EXPECT_EQ(g.firstStart, 1) << row.what;
        globals defaults;
        defaults.setDefaults(g.colorDepth);
        EXPECT_EQ(recordOf(g), recordOf(defaults)) << row.what;
        EXPECT_EQ(readFileBytes("settings"), recordOf(defaults)) << row.what;
    }
}

// Fields that can't stop the game from starting are mended one by one.
TEST(SettingsTest, DamagedFlagsAndScreenshotNumberFallBackToTheirDefaults) {
    std::vector<unsigned char> bytes = defaultRecord();
    bytes[0] = 0;     // windowed mode 0 reads as full screen
    bytes[1] = 7;     // vsync
    bytes[51] = 5;    // videoBitmaps
    bytes[58] = 2;    // complexSfx
    bytes[62] = 0x80; // negative screenshot number
    globals g;
    ASSERT_TRUE(g.fromBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(recordOf(g), defaultRecord());
}

// Taking over edited settings leaves the resources and session state alone.
TEST(SettingsTest, AssignmentCopiesTheSettingsOnly) {
    globals source;
    source.setDefaults(32);
    source.mode = 2;
    source.colorDepth = 16;
    source.keys[11] = 99;
    source.musicVolume = 2;
    source.screenshotNumber = 77;
    source.bloodMode = 1;
    source.firstStart = 1;
    source.netDriver = 5;
    int resource = 0;
    source.buffer = reinterpret_cast<BITMAP*>(&resource);

    globals target;
    target.setDefaults(32);
    target = source;
    EXPECT_EQ(recordOf(target), recordOf(source));
    EXPECT_EQ(target.bloodMode, 1);
    EXPECT_EQ(target.firstStart, 0);
    EXPECT_EQ(target.netDriver, 0);
    EXPECT_EQ(target.buffer, nullptr);
}

}  // namespace
