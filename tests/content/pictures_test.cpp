// The pictures under gfx/ load as TGA and have the sizes and masks the
// game's drawing code relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/game_folder.h"

class ContentPictures : public GameFolderTest {};

// One row per picture: the size range the drawing code allows (0 = any),
// whether its corners are transparent and whether its centre is drawn.
TEST_F(ContentPictures, EveryPictureHasItsSizeAndMask) {
    struct row {
        std::string file;
        int minW, maxW, minH, maxH;
        bool masked, body;
    };
    std::vector<row> rows = {
        {"gfx/mainmenu.tga", 800, 800, 600, 600, false, false},   {"gfx/missionscreen.tga", 800, 800, 600, 600, false, false},
        {"gfx/button.tga", 1, 0, 1, 99, false, false},            // five menu items in 500 pixels
        {"gfx/ingamebutton.tga", 1, 0, 1, 25, false, false},      // four in-game items in 100 pixels
        {"gfx/buttonContinue.tga", 1, 0, 1, 300, false, false},   {"gfx/buttonSave.tga", 1, 0, 1, 300, false, false},
        {"gfx/lifebar.tga", 200, 200, 4, 29, false, false},       {"gfx/armorbar.tga", 200, 200, 4, 29, false, false},
        {"gfx/crosshair.tga", 13, 13, 13, 13, true, true},        // drawn at the pointer minus 6
        {"gfx/gameover.tga", 1, 799, 1, 599, false, false},       {"gfx/missionsolved.tga", 1, 799, 1, 599, false, false},
        {"gfx/campaign.tga", 1, 0, 1, 0, false, false},           {"gfx/arrow.tga", 1, 0, 1, 0, true, false},
    };
    // Half a bullet's height is its collision radius.
    for (int i = 0; i < 8; ++i) rows.push_back({"gfx/bullet" + std::to_string(i) + ".tga", 1, 16, 2, 16, false, true});
    for (int i = 0; i < 6; ++i) rows.push_back({"gfx/weapon" + std::to_string(i) + ".tga", 1, 0, 1, 63, true, false});
    // Pressed buttons replace their buttons in place.
    for (const char* name : {"button", "ingamebutton"}) {
        Bitmap up = loadGameBitmap(std::string("gfx/") + name + ".tga");
        ASSERT_TRUE(up) << name;
        rows.push_back({std::string("gfx/") + name + "pressed.tga", up->w, up->w, up->h, up->h, false, false});
    }
    for (const row& r : rows) {
        SCOPED_TRACE(r.file);
        Bitmap b = loadGameBitmap(r.file);
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->w >= r.minW && b->h >= r.minH && b->w <= (r.maxW ? r.maxW : b->w) && b->h <= (r.maxH ? r.maxH : b->h))
            << b->w << " x " << b->h;
        EXPECT_TRUE(!r.masked || (isMask(b.get(), 0, 0) && isMask(b.get(), b->w - 1, b->h - 1)));
        EXPECT_TRUE(!r.body || !isMask(b.get(), b->w / 2, b->h / 2));
        EXPECT_EQ(fringePixels(b.get()), 0);
    }
    // The arrow points along positive x: its rightmost drawn pixel lies on
    // the middle row.
    Bitmap arrow = loadGameBitmap("gfx/arrow.tga");
    int tipX = -1, tipY = -1;
    for (int x = arrow->w - 1; x >= 0 && tipX < 0; --x)
        for (int y = 0; y < arrow->h && tipX < 0; ++y)
            if (!isMask(arrow.get(), x, y)) tipX = x, tipY = y;
    EXPECT_GT(tipX, arrow->w * 3 / 4);
    EXPECT_NEAR(tipY, arrow->h / 2, 2);
}
