// The pictures under gfx/ load as TGA and have the sizes and masks the
// game's drawing code relies on.
#include <gtest/gtest.h>

#include <string>

#include "content/game_folder.h"

class ContentPictures : public GameFolderTest {};

namespace {
struct Size {
    int w, h;
};
Size sizeOf(const std::string& file) {
    Bitmap b = loadGameBitmap(file);
    EXPECT_TRUE(b) << file;
    return b ? Size{b->w, b->h} : Size{0, 0};
}
}  // namespace

TEST_F(ContentPictures, EveryNamedPictureLoads) {
    const char* const files[] = {"gfx/mainmenu.tga",      "gfx/crosshair.tga",     "gfx/missionscreen.tga",
                                 "gfx/button.tga",        "gfx/buttonpressed.tga", "gfx/ingamebutton.tga",
                                 "gfx/ingamebuttonpressed.tga", "gfx/buttonContinue.tga", "gfx/buttonSave.tga",
                                 "gfx/lifebar.tga",       "gfx/armorbar.tga",      "gfx/arrow.tga",
                                 "gfx/gameover.tga",      "gfx/missionsolved.tga", "gfx/campaign.tga"};
    for (const char* file : files) EXPECT_TRUE(loadGameBitmap(file)) << file;
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(loadGameBitmap("gfx/bullet" + std::to_string(i) + ".tga")) << i;
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(loadGameBitmap("gfx/weapon" + std::to_string(i) + ".tga")) << i;
}

TEST_F(ContentPictures, ScreensFillTheScreen) {
    for (const char* file : {"gfx/mainmenu.tga", "gfx/missionscreen.tga"}) {
        Size s = sizeOf(file);
        EXPECT_EQ(s.w, 800) << file;
        EXPECT_EQ(s.h, 600) << file;
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

TEST_F(ContentPictures, ButtonPairsShareTheirSize) {
    Size a = sizeOf("gfx/button.tga"), b = sizeOf("gfx/buttonpressed.tga");
    EXPECT_EQ(a.w, b.w);
    EXPECT_EQ(a.h, b.h);
    // Five menu items share 500 pixels of height.
    EXPECT_LT(a.h, 100);
    Size c = sizeOf("gfx/ingamebutton.tga"), d = sizeOf("gfx/ingamebuttonpressed.tga");
    EXPECT_EQ(c.w, d.w);
    EXPECT_EQ(c.h, d.h);
    // The in-game menu has four items in 100 pixels.
    EXPECT_LE(c.h, 25);
    Size go = sizeOf("gfx/buttonContinue.tga"), save = sizeOf("gfx/buttonSave.tga");
    EXPECT_GT(go.w, 0);
    EXPECT_GT(save.h, 0);
    EXPECT_LE(go.h + save.h, 600);
}

TEST_F(ContentPictures, BarsAreTwoHundredPixelsWide) {
    for (const char* file : {"gfx/lifebar.tga", "gfx/armorbar.tga"}) {
        Size s = sizeOf(file);
        EXPECT_EQ(s.w, 200) << file;
        EXPECT_GT(s.h, 3) << file;
        EXPECT_LT(s.h, 30) << file;
    }
}

TEST_F(ContentPictures, CrosshairIsCentredOnItsSixthPixel) {
    // The mission loop draws it at the mouse position minus 6.
    Bitmap cross = loadGameBitmap("gfx/crosshair.tga");
    ASSERT_TRUE(cross);
    EXPECT_EQ(cross->w, 13);
    EXPECT_EQ(cross->h, 13);
    EXPECT_TRUE(isMask(cross.get(), 0, 0));
    EXPECT_TRUE(isMask(cross.get(), 12, 12));
    EXPECT_FALSE(isMask(cross.get(), 6, 6));
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

TEST_F(ContentPictures, BulletsAreSmallAndMasked) {
    for (int i = 0; i < 8; ++i) {
        Bitmap bullet = loadGameBitmap("gfx/bullet" + std::to_string(i) + ".tga");
        ASSERT_TRUE(bullet) << i;
        // Half the height is the collision radius.
        EXPECT_GE(bullet->h, 2) << i;
        EXPECT_LE(bullet->h, 16) << i;
        EXPECT_LE(bullet->w, 16) << i;
        EXPECT_FALSE(isMask(bullet.get(), bullet->w / 2, bullet->h / 2)) << i;
    }
}

TEST_F(ContentPictures, WeaponIconsAndEndPicturesAreMasked) {
    for (int i = 0; i < 6; ++i) {
        Bitmap icon = loadGameBitmap("gfx/weapon" + std::to_string(i) + ".tga");
        ASSERT_TRUE(icon) << i;
        EXPECT_TRUE(isMask(icon.get(), 0, 0)) << i;
        EXPECT_LT(icon->h, 64) << i;
    }
    for (const char* file : {"gfx/gameover.tga", "gfx/missionsolved.tga"}) {
        Size s = sizeOf(file);
        EXPECT_LT(s.w, 800) << file;
        EXPECT_LT(s.h, 600) << file;
    }
}
