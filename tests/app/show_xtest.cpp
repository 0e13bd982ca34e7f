#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "app/startup.h"
#include "support/test_files.h"

// F9 saves one numbered picture of the back buffer per press; a bitmap
// shown in its place is shown without screenshots. A screen mode that
// fails falls back to the other.
TEST(ShowTest, F9SavesOneNumberedScreenshotPerPressAndAFailedModeFallsBack) {
    scopedWorkDir dir;
    std::filesystem::create_directory("screenshots");
    global.buffer = create_bitmap(SCREEN_W, SCREEN_H);
    clear_to_color(global.buffer, makecol(10, 20, 30));
    BITMAP* other = create_bitmap(SCREEN_W, SCREEN_H);
    clear_to_color(other, makecol(200, 0, 0));
    global.screenshotNumber = 7;
    show(false, nullptr);
    key[KEY_F9] = 1;
    show(false, other);
    EXPECT_EQ(getpixel(screen, 10, 10), makecol(200, 0, 0));
    show(false, nullptr);
    show(false, nullptr);  // still held: no second picture
    EXPECT_EQ(global.screenshotNumber, 8);
    BITMAP* saved = load_bitmap("screenshots/screenshot00007.bmp", nullptr);
    EXPECT_TRUE(saved && saved->w == 800 && saved->h == 600 && getpixel(saved, 5, 5) == makecol(10, 20, 30));
    for (BITMAP* b : {saved, other, global.buffer})
        if (b) destroy_bitmap(b);
    global.buffer = nullptr;
    key[KEY_F9] = 0;
    keyStates.resetAll();
    // Xvfb may refuse full screen; then the window comes back.
    char mode = 2;
    setMode(mode);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(std::make_pair(SCREEN_W, SCREEN_H), std::make_pair(800, 600));
    global.mode = 2;
    global.toggleMode();
    EXPECT_TRUE(global.mode == 1 || global.mode == 2);
}
