#include "app/helpers.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "support/test_files.h"

// Savegames are numbered as they are, screenshots with five digits at least.
TEST(HelpersTest, NumbersInFileNamesArePaddedWithZerosToTheWidth) {
    EXPECT_EQ(getSavegamePath(0), "save/slot0.sav");
    EXPECT_EQ(getSavegamePath(12), "save/slot12.sav");
    EXPECT_EQ(screenshotPath(42), "screenshots/screenshot00042.bmp");
    EXPECT_EQ(screenshotPath(123456), "screenshots/screenshot123456.bmp");
    EXPECT_EQ(i2str(-12, 0), "-12");
}

TEST(HelpersTest, LoadBitmapReadsTgaFilesAndEndsWithTheLoadErrorWithout) {
    scopedWorkDir dir;
    BITMAP* picture = createBitmap(3, 2);
    clear_to_color(picture, makecol(255, 0, 255));
    ASSERT_EQ(save_bitmap("p.tga", picture, nullptr), 0);
    destroy_bitmap(picture);
    BITMAP* loaded = loadBitmap("p.tga");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::make_pair(loaded->w, loaded->h), std::make_pair(3, 2));
    EXPECT_EQ(getpixel(loaded, 1, 1), makecol(255, 0, 255));
    destroy_bitmap(loaded);
    EXPECT_EXIT(loadBitmap("gfx/none.tga"), testing::ExitedWithCode(0),
                "Error006: Loading bitmap \"gfx/none.tga\" failed");
}
