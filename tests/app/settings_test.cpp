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
    EXPECT_EQ(file[0], 1);   // full screen
    EXPECT_EQ(file[1], 1);   // vsync
    const int expectedKeys[12] = {1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13};
    for (int i = 0; i < 12; i++) EXPECT_EQ(int32At(file, 2 + 4 * i), expectedKeys[i]) << "slot " << i;
    EXPECT_EQ(file[50], 4);  // maxFrameSkip
    EXPECT_EQ(file[51], 0);  // videoBitmaps
    EXPECT_EQ(int32At(file, 52), g.colorDepth);
    EXPECT_EQ(file[56], 255);
    EXPECT_EQ(file[57], 175);
    EXPECT_EQ(file[58], 1);
    EXPECT_EQ(int32At(file, 59), 0);
}

TEST(SettingsTest, SaveAndLoadRoundTripEveryField) {
    scopedWorkDir dir;
    globals g;
    g.setDefaults(32);
    g.mode = 2;
    g.vsync = 0;
    g.keys[6] = 126;
    g.maxFrameSkip = 9;
    g.videoBitmaps = 1;
    g.colorDepth = 16;
    g.sfxVolume = 3;
    g.musicVolume = 0;
    g.complexSfx = 0;
    g.screenshotNumber = 123456;
    g.save();

    globals loaded;
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(recordOf(loaded), recordOf(g));
    EXPECT_FALSE(fileExists("settings.tmp"));
}

// A settings file that is not a whole, sensible record is taken as absent:
// defaults, a first start, and the file written anew.
TEST(SettingsTest, DamagedFilesAreTakenAsAbsentAndRepaired) {
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
        std::vector<unsigned char> bytes;
    } rows[] = {
        {"empty", {}},
        {"cut short", std::vector<unsigned char>(record.begin(), record.begin() + 10)},
        {"one byte short", std::vector<unsigned char>(record.begin(), record.end() - 1)},
        {"one byte long", longer},
        {"mode 3", with(0, 3)},
        {"key code 0", with(2 + 4 * 3, 0)},
        {"key code 127", with(2 + 4 * 5, 127)},
        {"negative key code", with(2 + 4 * 5 + 3, 0x80)},
        {"frame skip 0", with(50, 0)},
        {"negative frame skip", with(50, 0xFD)},
        {"colour depth 8", with(52, 8)},
        {"colour depth 0", with(52, 0)},
    };
    for (const auto& row : rows) {
        scopedWorkDir dir;
        writeFileBytes("settings", row.bytes);
        globals g;
        g.loadSettings();
        EXPECT_EQ(g.firstStart, 1) << row.what;
        globals defaults;
        defaults.setDefaults(g.colorDepth);
        EXPECT_EQ(recordOf(g), recordOf(defaults)) << row.what;
        EXPECT_EQ(readFileBytes("settings"), recordOf(defaults)) << row.what;
    }
}

TEST(SettingsTest, AMissingFileIsAFirstStartAndAWholeOneIsNot) {
    scopedWorkDir dir;
    globals g;
    g.loadSettings();
    EXPECT_EQ(g.firstStart, 1);
    EXPECT_EQ(readFileBytes("settings").size(), SETTINGS_SIZE);
    std::vector<unsigned char> bytes = defaultRecord();
    bytes[56] = 9;
    writeFileBytes("settings", bytes);
    globals again;
    again.loadSettings();
    EXPECT_EQ(again.firstStart, 0);
    EXPECT_EQ(again.sfxVolume, 9);
}

TEST(SettingsTest, ModeZeroReadsAsFullScreenAndIsSavedSo) {
    scopedWorkDir dir;
    std::vector<unsigned char> bytes = defaultRecord();
    bytes[0] = 0;
    writeFileBytes("settings", bytes);
    globals g;
    ASSERT_TRUE(g.load());
    EXPECT_EQ(g.mode, 1);
    g.save();
    EXPECT_EQ(readFileBytes("settings")[0], 1);
}

// Fields that can't stop the game from starting are mended one by one.
TEST(SettingsTest, DamagedFlagsAndScreenshotNumberFallBackToTheirDefaults) {
    std::vector<unsigned char> bytes = defaultRecord();
    bytes[1] = 7;                        // vsync
    bytes[51] = 5;                       // videoBitmaps
    bytes[58] = 2;                       // complexSfx
    bytes[62] = 0x80;                    // negative screenshot number
    globals g;
    ASSERT_TRUE(g.fromBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(g.vsync, 1);
    EXPECT_EQ(g.videoBitmaps, 0);
    EXPECT_EQ(g.complexSfx, 1);
    EXPECT_EQ(g.screenshotNumber, 0);
}

TEST(SettingsTest, ValidFilesLoadUnchanged) {
    globals g;
    g.setDefaults(32);
    g.mode = 2;
    g.keys[0] = 126;
    g.keys[1] = 1;
    g.maxFrameSkip = 127;
    g.colorDepth = 16;
    g.sfxVolume = 0;
    g.screenshotNumber = 99999;
    const std::vector<unsigned char> bytes = recordOf(g);
    globals loaded;
    ASSERT_TRUE(loaded.fromBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(recordOf(loaded), bytes);
}

TEST(SettingsTest, AssignmentCopiesTheSettingsOnly) {
    globals source;
    source.setDefaults(32);
    source.mode = 2;
    source.vsync = 0;
    source.colorDepth = 16;
    source.keys[11] = 99;
    source.sfxVolume = 1;
    source.musicVolume = 2;
    source.videoBitmaps = 1;
    source.complexSfx = 0;
    source.screenshotNumber = 77;
    source.bloodMode = 1;
    source.maxFrameSkip = 12;
    source.firstStart = 1;
    source.netDriver = 5;
    int resource = 0;
    source.buffer = reinterpret_cast<BITMAP*>(&resource);

    globals target;
    target.setDefaults(32);
    target = source;
    EXPECT_EQ(recordOf(target)[0], 2);
    EXPECT_EQ(target.vsync, 0);
    EXPECT_EQ(target.colorDepth, 16);
    EXPECT_EQ(target.keys[11], 99);
    EXPECT_EQ(target.sfxVolume, 1);
    EXPECT_EQ(target.musicVolume, 2);
    EXPECT_EQ(target.videoBitmaps, 1);
    EXPECT_EQ(target.complexSfx, 0);
    EXPECT_EQ(target.screenshotNumber, 77);
    EXPECT_EQ(target.bloodMode, 1);
    EXPECT_EQ(target.maxFrameSkip, 4);
    EXPECT_EQ(target.firstStart, 0);
    EXPECT_EQ(target.netDriver, 0);
    EXPECT_EQ(target.buffer, nullptr);
}

}  // namespace
