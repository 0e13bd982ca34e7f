#include "app/helpers.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "support/test_files.h"

namespace {

TEST(HelpersTest, NumbersArePaddedWithZerosToTheWidth) {
    EXPECT_EQ(i2str(7, 0), "7");
    EXPECT_EQ(i2str(7, 5), "00007");
    EXPECT_EQ(i2str(123456, 5), "123456");
    EXPECT_EQ(i2str(0, 1), "0");
    EXPECT_EQ(i2str(-12, 0), "-12");
}

TEST(HelpersTest, FileNamesOfSavegamesAndScreenshots) {
    EXPECT_EQ(getSavegamePath(0), "save/slot0.sav");
    EXPECT_EQ(getSavegamePath(12), "save/slot12.sav");
    EXPECT_EQ(screenshotPath(0), "screenshots/screenshot00000.bmp");
    EXPECT_EQ(screenshotPath(42), "screenshots/screenshot00042.bmp");
}

TEST(HelpersTest, FileExistsWhenItCanBeOpened) {
    scopedWorkDir dir;
    EXPECT_FALSE(fileExists("missing"));
    writeFileText("present", "x");
    EXPECT_TRUE(fileExists("present"));
}

TEST(HelpersTest, LoadBitmapReadsTgaFiles) {
    scopedWorkDir dir;
    BITMAP* picture = createBitmap(3, 2);
    clear_to_color(picture, makecol(255, 0, 255));
    ASSERT_EQ(save_bitmap("p.tga", picture, nullptr), 0);
    destroy_bitmap(picture);

    BITMAP* loaded = loadBitmap("p.tga");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->w, 3);
    EXPECT_EQ(loaded->h, 2);
    EXPECT_EQ(getpixel(loaded, 1, 1), makecol(255, 0, 255));
    destroy_bitmap(loaded);
}

TEST(HelpersTest, MissingBitmapEndsWithTheLoadError) {
    scopedWorkDir dir;
    EXPECT_EXIT(loadBitmap("gfx/none.tga"), testing::ExitedWithCode(0),
                "Error006: Loading bitmap \"gfx/none.tga\" failed");
}

}  // namespace
