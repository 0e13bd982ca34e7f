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

TEST(SettingsTest, LoadFailsOnlyWithoutAFile) {
    scopedWorkDir dir;
    globals g;
    EXPECT_FALSE(g.load());
    writeFileBytes("settings", {});
    EXPECT_TRUE(g.load());
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

TEST(SettingsTest, ShortFileKeepsTheFieldsBehindItsEnd) {
    globals g;
    g.setDefaults(32);
    g.sfxVolume = 17;
    g.screenshotNumber = 42;
    std::vector<unsigned char> bytes = defaultRecord();
    bytes[0] = 2;
    g.fromBytes(bytes.data(), 10);  // mode, vsync and the first two keys
    EXPECT_EQ(g.mode, 2);
    EXPECT_EQ(g.sfxVolume, 17);
    EXPECT_EQ(g.screenshotNumber, 42);
}

TEST(SettingsTest, DamagedFieldsFallBackToTheirDefaults) {
    std::vector<unsigned char> bytes = defaultRecord();
    bytes[0] = 9;                        // mode
    bytes[1] = 7;                        // vsync
    bytes[2 + 4 * 3] = 200;              // key code of slot 3
    bytes[2 + 4 * 5 + 3] = 0x80;         // negative key code of slot 5
    bytes[50] = static_cast<unsigned char>(-3);  // maxFrameSkip
    bytes[51] = 5;                       // videoBitmaps
    bytes[52] = 7;                       // colour depth 7
    bytes[58] = 2;                       // complexSfx
    bytes[62] = 0x80;                    // negative screenshot number
    globals g;
    g.fromBytes(bytes.data(), bytes.size());
    EXPECT_EQ(g.mode, 1);
    EXPECT_EQ(g.vsync, 1);
    EXPECT_EQ(g.keys[3], 19);
    EXPECT_EQ(g.keys[5], 119);
    EXPECT_EQ(g.maxFrameSkip, 4);
    EXPECT_EQ(g.videoBitmaps, 0);
    EXPECT_TRUE(g.colorDepth == 16 || g.colorDepth == 32);
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
    loaded.fromBytes(bytes.data(), bytes.size());
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
