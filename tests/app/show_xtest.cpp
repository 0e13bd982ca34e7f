#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "app/startup.h"
#include "support/test_files.h"

class ShowTest : public testing::Test {
protected:
    void SetUp() override {
        global.buffer = create_bitmap(SCREEN_W, SCREEN_H);
        clear_to_color(global.buffer, makecol(10, 20, 30));
        std::filesystem::create_directory("screenshots");
        global.screenshotNumber = 7;
    }
    void TearDown() override {
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
        key[KEY_F9] = 0;
        keyStates.resetAll();
    }
    scopedWorkDir dir;
};

// One numbered picture of the back buffer per press of F9.
TEST_F(ShowTest, F9SavesOneNumberedScreenshotPerPress) {
    show(false, nullptr);
    EXPECT_FALSE(fileExists("screenshots/screenshot00007.bmp"));
    key[KEY_F9] = 1;
    show(false, nullptr);
    show(false, nullptr);  // still held: no second picture
    EXPECT_FALSE(fileExists("screenshots/screenshot00008.bmp"));
    EXPECT_EQ(global.screenshotNumber, 8);
    BITMAP* saved = load_bitmap("screenshots/screenshot00007.bmp", nullptr);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(std::make_pair(saved->w, saved->h), std::make_pair(800, 600));
    EXPECT_EQ(getpixel(saved, 5, 5), makecol(10, 20, 30));
    destroy_bitmap(saved);
}

TEST_F(ShowTest, AnExplicitBitmapIsShownWithoutScreenshots) {
    BITMAP* other = create_bitmap(SCREEN_W, SCREEN_H);
    clear_to_color(other, makecol(200, 0, 0));
    key[KEY_F9] = 1;
    show(false, other);
    destroy_bitmap(other);
    EXPECT_EQ(global.screenshotNumber, 7);
    EXPECT_TRUE(std::filesystem::is_empty("screenshots"));
    EXPECT_EQ(getpixel(screen, 10, 10), makecol(200, 0, 0));
}

// Xvfb may refuse full screen; then the window comes back.
TEST(SetModeTest, AModeThatFailsFallsBackToTheOther) {
    char mode = 2;
    setMode(mode);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(std::make_pair(SCREEN_W, SCREEN_H), std::make_pair(800, 600));
    global.mode = 2;
    global.toggleMode();
    EXPECT_TRUE(global.mode == 1 || global.mode == 2);
    EXPECT_EQ(SCREEN_W, 800);
}
