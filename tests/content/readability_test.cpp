// The game writes fixed colours over its screens and buttons (black and
// white menu labels, black mission text, white intro text, black version
// lines in the intro); the generated backgrounds keep those places at a
// brightness where that text reads.
#include <gtest/gtest.h>

#include <string>

#include "content/game_folder.h"

namespace {
class ContentReadability : public GameFolderTest {};

// Mean luminance (0 to 255) of a rectangle.
double luminance(BITMAP* b, int x0, int y0, int x1, int y1) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++n) {
            int c = getpixel(b, x, y);
            sum += 0.299 * getr32(c) + 0.587 * getg32(c) + 0.114 * getb32(c);
        }
    return sum / n;
}
}  // namespace

TEST_F(ContentReadability, MenuPanelCarriesBlackAndWhiteLabels) {
    // Option rows and key names are drawn black, the selected one white,
    // anywhere between x 170 and 630 and y 60 and 540.
    Bitmap menu = loadGameBitmap("gfx/mainmenu.tga");
    ASSERT_TRUE(menu);
    for (int y = 60; y < 540; y += 40)
        for (int x = 170; x < 630; x += 46) {
            double l = luminance(menu.get(), x, y, x + 40, y + 20);
            EXPECT_GT(l, 80) << x << "," << y;
            EXPECT_LT(l, 175) << x << "," << y;
        }
}

TEST_F(ContentReadability, MenuCornerIsDarkForTheWhiteVersionLines) {
    Bitmap menu = loadGameBitmap("gfx/mainmenu.tga");
    ASSERT_TRUE(menu);
    EXPECT_LT(luminance(menu.get(), 560, 560, 800, 600), 70);
}

TEST_F(ContentReadability, SelectedButtonIsBrightAndTheOthersDark) {
    // Selected label black; others grey (153) or white when disabled.
    Bitmap selected = loadGameBitmap("gfx/button.tga"), other = loadGameBitmap("gfx/buttonpressed.tga");
    ASSERT_TRUE(selected && other);
    EXPECT_GT(luminance(selected.get(), 20, 8, selected->w - 20, selected->h - 8), 150);
    EXPECT_LT(luminance(other.get(), 20, 8, other->w - 20, other->h - 8), 80);
    // In-game labels are grey (170) and white: both buttons are dark.
    for (const char* file : {"gfx/ingamebutton.tga", "gfx/ingamebuttonpressed.tga"}) {
        Bitmap b = loadGameBitmap(file);
        ASSERT_TRUE(b) << file;
        EXPECT_LT(luminance(b.get(), 4, 4, b->w - 4, b->h - 4), 90) << file;
    }
}

TEST_F(ContentReadability, IntroKeepsItsTextPlacesClear) {
    Datafile intro = loadGameDatafile("data/intro.dat");
    ASSERT_TRUE(intro);
    BITMAP* background = static_cast<BITMAP*>(intro.get()[0].dat);
    // White title line around y 435 and the grey web line under it.
    EXPECT_LT(luminance(background, 250, 420, 550, 480), 70);
    // Black version lines at the bottom right.
    EXPECT_GT(luminance(background, 560, 562, 800, 600), 150);
}

TEST_F(ContentReadability, HeadsUpTextPlacesOnTheArrowAreDark) {
    // The objective number is written white over the arrow's middle.
    Bitmap arrow = loadGameBitmap("gfx/arrow.tga");
    ASSERT_TRUE(arrow);
    EXPECT_LT(luminance(arrow.get(), arrow->w / 2 - 3, arrow->h / 2 - 2, arrow->w / 2 + 3, arrow->h / 2 + 4), 120);
}
