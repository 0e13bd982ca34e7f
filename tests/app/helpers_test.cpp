#include "app/helpers.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "support/test_files.h"

// Screenshot numbers are padded to five digits, never cut; pictures load
// from TGA files, and a missing one ends with the load error.
TEST(HelpersTest, ScreenshotNamesAndBitmapLoading) {
    EXPECT_EQ(screenshotPath(123456), "screenshots/screenshot123456.bmp");
    scopedWorkDir dir;
    BITMAP* picture = createBitmap(3, 2);
    ASSERT_EQ(save_bitmap("p.tga", picture, nullptr), 0);
    destroy_bitmap(picture);
    BITMAP* loaded = loadBitmap("p.tga");
    EXPECT_EQ(std::make_pair(loaded->w, loaded->h), std::make_pair(3, 2));
    destroy_bitmap(loaded);
    EXPECT_EXIT(loadBitmap("gfx/none.tga"), testing::ExitedWithCode(0),
                "Error006: Loading bitmap \"gfx/none.tga\" failed");
}
