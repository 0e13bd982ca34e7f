// The pictures under gfx/ load as TGA and have the sizes, masks and
// brightness the game's drawing code relies on.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "content/game_folder.h"

class ContentPictures : public GameFolderTest {};

// One row per picture: the size range the drawing code allows (0 = any),
// whether its corners are transparent and whether its centre is drawn.
TEST_F(ContentPictures, EveryPictureHasItsSizeAndMask) {
    using row = std::tuple<std::string, int, int, int, int, bool, bool>;  // file, width and height ranges, mask, body
    std::vector<row> rows = {
        {"gfx/mainmenu.tga", 800, 800, 600, 600, false, false},
        {"gfx/missionscreen.tga", 800, 800, 600, 600, false, false},
        {"gfx/button.tga", 1, 0, 1, 99, false, false},        // five menu items in 500 pixels
        {"gfx/ingamebutton.tga", 1, 0, 1, 25, false, false},  // four in-game items in 100 pixels
        {"gfx/buttonContinue.tga", 1, 0, 1, 300, false, false},
        {"gfx/buttonSave.tga", 1, 0, 1, 300, false, false},
        {"gfx/lifebar.tga", 200, 200, 4, 29, false, false},
        {"gfx/armorbar.tga", 200, 200, 4, 29, false, false},
        {"gfx/crosshair.tga", 13, 13, 13, 13, true, true},  // drawn at the pointer minus 6
        {"gfx/gameover.tga", 1, 799, 1, 599, false, false},
        {"gfx/missionsolved.tga", 1, 799, 1, 599, false, false},
        {"gfx/campaign.tga", 1, 0, 1, 0, false, false},
        {"gfx/arrow.tga", 1, 0, 1, 0, true, false},
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
    for (const auto& [file, minW, maxW, minH, maxH, masked, body] : rows) {
        SCOPED_TRACE(file);
        Bitmap b = loadGameBitmap(file);
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->w >= minW && b->h >= minH && b->w <= (maxW ? maxW : b->w) && b->h <= (maxH ? maxH : b->h))
            << b->w << " x " << b->h;
        EXPECT_TRUE(!masked || (isMask(b.get(), 0, 0) && isMask(b.get(), b->w - 1, b->h - 1)));
        EXPECT_TRUE(!body || !isMask(b.get(), b->w / 2, b->h / 2));
        EXPECT_EQ(fringePixels(b.get()), 0);
    }
}

namespace {
// Mean luminance (0 to 255) of a rectangle; ends at or below 0 count from
// the right or bottom edge.
double luminance(BITMAP* b, int x0, int y0, int x1, int y1) {
    if (x1 <= 0) x1 += b->w;
    if (y1 <= 0) y1 += b->h;
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const int c = getpixel(b, x, y);
            sum += 0.299 * getr32(c) + 0.587 * getg32(c) + 0.114 * getb32(c);
        }
    return sum / ((x1 - x0) * (y1 - y0));
}
}  // namespace

// The game writes fixed colours over its screens and buttons (black and
// white menu labels, black mission text, white intro text, black version
// lines in the intro, a white objective number on the arrow); the
// backgrounds keep those places at a brightness where that text reads.
TEST_F(ContentPictures, TextPlacesHaveTheBrightnessTheirTextNeeds) {
    // What it checks, the picture ("" for the intro's background), the
    // rectangle and the least and most mean luminance.
    std::vector<std::tuple<std::string, std::string, int, int, int, int, double, double>> rows = {
        {"dark menu corner for the white version lines", "gfx/mainmenu.tga", 560, 560, 800, 600, 0, 70},
        {"selected button bright for its black label", "gfx/button.tga", 20, 8, -20, -8, 150, 255},
        {"other buttons dark for grey (153) or white labels", "gfx/buttonpressed.tga", 20, 8, -20, -8, 0, 80},
        {"in-game button dark for grey (170) labels", "gfx/ingamebutton.tga", 4, 4, -4, -4, 0, 90},
        {"pressed in-game button dark for white labels", "gfx/ingamebuttonpressed.tga", 4, 4, -4, -4, 0, 90},
        {"intro: white title and grey web line", "", 250, 420, 550, 480, 0, 70},
        {"intro: black version lines", "", 560, 562, 800, 600, 150, 255},
    };
    // Menu option rows and key names: black, the selected one white.
    for (int y = 60; y < 540; y += 40)
        for (int x = 170; x < 630; x += 46)
            rows.push_back({"menu label at " + std::to_string(x) + "," + std::to_string(y), "gfx/mainmenu.tga", x, y,
                            x + 40, y + 20, 80, 175});
    // Black title, briefing and objective lines on the mission screen.
    for (auto [x, y] : {std::pair{260, 45}, {100, 120}, {400, 400}, {600, 300}, {700, 360}})
        rows.push_back({"mission text at " + std::to_string(x) + "," + std::to_string(y), "gfx/missionscreen.tga", x, y,
                        x + 1, y + 1, 150, 255});
    Datafile intro = loadGameDatafile("data/intro.dat");
    ASSERT_TRUE(intro);
    for (const auto& [what, file, x0, y0, x1, y1, least, most] : rows) {
        Bitmap loaded = file.empty() ? Bitmap(nullptr, destroy_bitmap) : loadGameBitmap(file);
        BITMAP* b = file.empty() ? static_cast<BITMAP*>(intro.get()[0].dat) : loaded.get();
        ASSERT_TRUE(b) << what;
        const double l = luminance(b, x0, y0, x1, y1);
        EXPECT_TRUE(l >= least && l <= most) << what << ": " << l;
    }
    // The objective number is written white over the arrow's middle.
    Bitmap arrow = loadGameBitmap("gfx/arrow.tga");
    ASSERT_TRUE(arrow);
    EXPECT_LT(luminance(arrow.get(), arrow->w / 2 - 3, arrow->h / 2 - 2, arrow->w / 2 + 3, arrow->h / 2 + 4), 120);
    // The arrow points along positive x: its rightmost drawn pixel lies on
    // the middle row.
    int tipX = -1, tipY = -1;
    for (int x = arrow->w - 1; x >= 0 && tipX < 0; --x)
        for (int y = 0; y < arrow->h && tipX < 0; ++y)
            if (!isMask(arrow.get(), x, y)) tipX = x, tipY = y;
    EXPECT_GT(tipX, arrow->w * 3 / 4);
    EXPECT_NEAR(tipY, arrow->h / 2, 2);
}
