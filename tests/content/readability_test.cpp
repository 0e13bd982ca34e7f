// The game writes fixed colours over its screens and buttons (black and
// white menu labels, black mission text, white intro text, black version
// lines in the intro, a white objective number on the arrow); the
// generated backgrounds keep those places at a brightness where that text
// reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/game_folder.h"

namespace {
class ContentReadability : public GameFolderTest {};

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

TEST_F(ContentReadability, TextPlacesHaveTheBrightnessTheirTextNeeds) {
    struct row {
        std::string what, file;
        int x0, y0, x1, y1;
        double least, most;
    };
    std::vector<row> rows = {
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
    for (const row& r : rows) {
        Bitmap file = r.file.empty() ? Bitmap(nullptr, destroy_bitmap) : loadGameBitmap(r.file);
        BITMAP* b = r.file.empty() ? static_cast<BITMAP*>(intro.get()[0].dat) : file.get();
        ASSERT_TRUE(b) << r.what;
        const double l = luminance(b, r.x0, r.y0, r.x1, r.y1);
        EXPECT_GE(l, r.least) << r.what;
        EXPECT_LE(l, r.most) << r.what;
    }
    // The objective number is written white over the arrow's middle.
    Bitmap arrow = loadGameBitmap("gfx/arrow.tga");
    ASSERT_TRUE(arrow);
    EXPECT_LT(luminance(arrow.get(), arrow->w / 2 - 3, arrow->h / 2 - 2, arrow->w / 2 + 3, arrow->h / 2 + 4), 120);
}
