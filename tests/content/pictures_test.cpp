// The pictures under gfx/ load as TGA and have the sizes and masks the
// game's drawing code relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/game_folder.h"

class ContentPictures : public GameFolderTest {};

// One row per picture: the size range the drawing code allows (0 = any)
// and whether its corner is transparent.
TEST_F(ContentPictures, EveryPictureHasItsSizeAndMask) {
    struct row {
        std::string file;
        int minW, maxW, minH, maxH;
        bool maskedCorner;
    };
    std::vector<row> rows = {
        {"gfx/mainmenu.tga", 800, 800, 600, 600, false},
        {"gfx/missionscreen.tga", 800, 800, 600, 600, false},
        {"gfx/button.tga", 1, 0, 1, 99, false},  // five menu items in 500 pixels
        {"gfx/ingamebutton.tga", 1, 0, 1, 25, false},  // four in-game items in 100 pixels
        {"gfx/buttonContinue.tga", 1, 0, 1, 300, false},
        {"gfx/buttonSave.tga", 1, 0, 1, 300, false},
        {"gfx/lifebar.tga", 200, 200, 4, 29, false},
        {"gfx/armorbar.tga", 200, 200, 4, 29, false},
        {"gfx/crosshair.tga", 13, 13, 13, 13, true},  // drawn at the pointer minus 6
        {"gfx/gameover.tga", 1, 799, 1, 599, false},
        {"gfx/missionsolved.tga", 1, 799, 1, 599, false},
        {"gfx/campaign.tga", 1, 0, 1, 0, false},
        {"gfx/arrow.tga", 1, 0, 1, 0, true},
    };
    // Half a bullet's height is its collision radius.
    for (int i = 0; i < 8; ++i) rows.push_back({"gfx/bullet" + std::to_string(i) + ".tga", 1, 16, 2, 16, false});
    for (int i = 0; i < 6; ++i) rows.push_back({"gfx/weapon" + std::to_string(i) + ".tga", 1, 0, 1, 63, true});
    for (const row& r : rows) {
        Bitmap b = loadGameBitmap(r.file);
        ASSERT_TRUE(b) << r.file;
        EXPECT_GE(b->w, r.minW) << r.file;
        EXPECT_GE(b->h, r.minH) << r.file;
        EXPECT_LE(b->w, r.maxW ? r.maxW : b->w) << r.file;
        EXPECT_LE(b->h, r.maxH ? r.maxH : b->h) << r.file;
        EXPECT_TRUE(!r.maskedCorner || isMask(b.get(), 0, 0)) << r.file;
    }
    // Pressed buttons replace their buttons in place.
    for (const char* name : {"button", "ingamebutton"}) {
        Bitmap up = loadGameBitmap(std::string("gfx/") + name + ".tga");
        Bitmap down = loadGameBitmap(std::string("gfx/") + name + "pressed.tga");
        ASSERT_TRUE(up && down) << name;
        EXPECT_EQ(up->w, down->w) << name;
        EXPECT_EQ(up->h, down->h) << name;
    }
}

TEST_F(ContentPictures, MissionScreenIsLightWhereBlackTextGoes) {
    Bitmap page = loadGameBitmap("gfx/missionscreen.tga");
    ASSERT_TRUE(page);
    // Title, briefing and objective lines are written in black.
    for (auto [x, y] : {std::pair{260, 45}, {100, 120}, {400, 400}, {600, 300}, {700, 360}}) {
        int c = getpixel(page.get(), x, y);
        EXPECT_GT(getr32(c) + getg32(c) + getb32(c), 450) << x << "," << y;
    }
}

TEST_F(ContentPictures, CrosshairAndBulletsHaveABodyAtTheirCentre) {
    Bitmap cross = loadGameBitmap("gfx/crosshair.tga");
    ASSERT_TRUE(cross);
    EXPECT_TRUE(isMask(cross.get(), 12, 12));
    EXPECT_FALSE(isMask(cross.get(), 6, 6));
    for (int i = 0; i < 8; ++i) {
        Bitmap bullet = loadGameBitmap("gfx/bullet" + std::to_string(i) + ".tga");
        ASSERT_TRUE(bullet) << i;
        EXPECT_FALSE(isMask(bullet.get(), bullet->w / 2, bullet->h / 2)) << i;
    }
}

TEST_F(ContentPictures, ArrowPointsAlongPositiveX) {
    Bitmap arrow = loadGameBitmap("gfx/arrow.tga");
    ASSERT_TRUE(arrow);
    // The tip is the rightmost drawn pixel and lies on the middle row.
    int tipX = -1, tipY = -1;
    for (int x = arrow->w - 1; x >= 0 && tipX < 0; --x)
        for (int y = 0; y < arrow->h; ++y)
            if (!isMask(arrow.get(), x, y)) {
                tipX = x;
                tipY = y;
                break;
            }
    EXPECT_GT(tipX, arrow->w * 3 / 4);
    EXPECT_NEAR(tipY, arrow->h / 2, 2);
    EXPECT_TRUE(isMask(arrow.get(), arrow->w - 1, 0));
}
