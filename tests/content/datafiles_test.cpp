// The generated datafiles load with Allegro and hold the items, types and
// sizes that the game reads; masked sprites have clean edges (no pink
// fringe), every state and every tile is its own picture, and animation
// frames really change.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "content/game_folder.h"

class ContentDatafiles : public GameFolderTest {};

namespace {
// One row per unit graphics file: whether item 6 holds the radius (the
// multiplayer figures take it from the game), and whether states 1 and 2
// may share a picture (civilians never aim or shoot).
const struct unitFile {
    const char* file;
    bool radius, civilian;
} UNIT_FILES[] = {{"data/units/player.dat", true, false},    {"data/units/rifleman.dat", true, false},
                  {"data/units/shotgunner.dat", true, false}, {"data/units/heavy.dat", true, false},
                  {"data/units/sniper.dat", true, false},     {"data/units/scientist.dat", true, true},
                  {"data/units/technician.dat", true, true},  {"data/editorgr.dat", true, false},
                  {"data/playergr.dat", false, false}};
const char* const TILE_SETS[] = {"data/tiles/outdoor.dat", "data/tiles/indoor.dat"};

BITMAP* bitmapItem(const Datafile& d, int i) {
    EXPECT_EQ(d.get()[i].type, DAT_BITMAP) << "item " << i;
    return d.get()[i].type == DAT_BITMAP ? static_cast<BITMAP*>(d.get()[i].dat) : nullptr;
}

bool samePixels(BITMAP* a, int ax, BITMAP* b, int bx, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (getpixel(a, ax + x, y) != getpixel(b, bx + x, y)) return false;
    return true;
}
}  // namespace

TEST_F(ContentDatafiles, FontsAreItemsZeroToTwoWithPrintableAscii) {
    Datafile data = loadGameDatafile("data/data.dat");
    ASSERT_TRUE(data);
    ASSERT_EQ(itemCount(data.get()), 3);
    int heights[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(data.get()[i].type, DAT_FONT);
        FONT* font = static_cast<FONT*>(data.get()[i].dat);
        heights[i] = text_height(font);
        for (int ch = 32; ch < 127; ++ch) {
            char text[2] = {static_cast<char>(ch), 0};
            EXPECT_GT(text_length(font, text), 0) << "font " << i << " char " << ch;
        }
    }
    // The menu font is the large one; text and messages are readable sizes.
    EXPECT_GT(heights[0], heights[1]);
    EXPECT_GE(std::min(heights[1], heights[2]), 12);
}

TEST_F(ContentDatafiles, TileSetsHoldSolidityAndShortAnimationCyclesOfDistinctTiles) {
    for (const char* file : TILE_SETS) {
        SCOPED_TRACE(file);
        Datafile set = loadGameDatafile(file);
        ASSERT_TRUE(set);
        ASSERT_EQ(itemCount(set.get()), 2);
        ASSERT_EQ(set.get()[0].type, DAT_DATA);
        BITMAP* strip = bitmapItem(set, 1);
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->w % 32, 0);
        EXPECT_EQ(strip->h, 32);
        const int n = strip->w / 32;
        EXPECT_LE(n, 128);
        ASSERT_EQ(set.get()[0].size, 2 * n);
        const signed char* solidity = static_cast<const signed char*>(set.get()[0].dat);
        const unsigned char* successor = static_cast<const unsigned char*>(set.get()[0].dat) + n;
        std::set<int> solidities;
        int duplicates = 0;
        for (int t = 0; t < n; ++t) {
            solidities.insert(solidity[t]);
            ASSERT_LT(successor[t], n) << "tile " << t;
            // Following successors returns to the tile within four steps.
            int steps = 1, at = successor[t];
            while (at != t && steps < 5) at = successor[at], ++steps;
            EXPECT_LE(steps, 4) << "tile " << t << " is not on a short cycle";
            EXPECT_TRUE(successor[t] == t || !samePixels(strip, t * 32, strip, successor[t] * 32, 32, 32)) << "tile " << t;
            for (int u = t + 1; u < n; ++u) duplicates += samePixels(strip, t * 32, strip, u * 32, 32, 32);
        }
        EXPECT_EQ(solidities, (std::set<int>{0, 1, 2, 3}));
        // A "still" tile repeats one animation frame so that scripts can
        // stop the animation: one such copy per animated light.
        EXPECT_LE(duplicates, 1);
    }
}

// Six masked sprites of one size, each with a body, no fringe and a look
// of its own; then the radius, which fits the sprite.
TEST_F(ContentDatafiles, UnitFilesHoldSixDistinctCleanSpritesAndARadius) {
    std::vector<Datafile> units;
    for (const unitFile& row : UNIT_FILES) {
        SCOPED_TRACE(row.file);
        units.push_back(loadGameDatafile(row.file));
        const Datafile& unit = units.back();
        ASSERT_TRUE(unit);
        ASSERT_GE(itemCount(unit.get()), row.radius ? 7 : 6);
        BITMAP* sprite[6];
        for (int i = 0; i < 6; ++i) {
            ASSERT_NE(sprite[i] = bitmapItem(unit, i), nullptr);
            EXPECT_EQ(sprite[i]->w, sprite[0]->w) << "item " << i;
            EXPECT_EQ(sprite[i]->h, sprite[0]->h) << "item " << i;
            EXPECT_TRUE(isMask(sprite[i], 0, 0) && isMask(sprite[i], sprite[i]->w - 1, sprite[i]->h - 1)) << "item " << i;
            EXPECT_FALSE(isMask(sprite[i], sprite[i]->w / 2, sprite[i]->h / 2)) << "item " << i;
            EXPECT_EQ(fringePixels(sprite[i]), 0) << "item " << i;
            for (int j = 0; j < i; ++j)
                EXPECT_TRUE((row.civilian && j == 1 && i == 2) || !samePixels(sprite[j], 0, sprite[i], 0, sprite[i]->w, sprite[i]->h))
                    << "states " << j << ", " << i;
        }
        if (!row.radius) continue;
        ASSERT_EQ(itemCount(unit.get()), 7);
        ASSERT_EQ(unit.get()[6].type, DAT_DATA);
        ASSERT_GE(unit.get()[6].size, 1);
        const int radius = static_cast<const signed char*>(unit.get()[6].dat)[0];
        EXPECT_GE(radius, 4);
        EXPECT_LE(radius, 16);
        EXPECT_LE(2 * radius, sprite[0]->w);
    }
    for (size_t i = 0; i < units.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            BITMAP* a = static_cast<BITMAP*>(units[i].get()[0].dat);
            BITMAP* b = static_cast<BITMAP*>(units[j].get()[0].dat);
            EXPECT_TRUE(a->w != b->w || !samePixels(a, 0, b, 0, a->w, a->h)) << UNIT_FILES[i].file << " and " << UNIT_FILES[j].file;
        }
}

// The editor shows players blue, enemies red and civilians white.
TEST_F(ContentDatafiles, EditorLooksAreToldApartByColour) {
    Datafile editor = loadGameDatafile("data/editorgr.dat");
    ASSERT_TRUE(editor);
    int blue[3] = {}, red[3] = {}, white[3] = {};
    for (int i = 0; i < 3; ++i) {
        BITMAP* sprite = static_cast<BITMAP*>(editor.get()[i].dat);
        for (int y = 0; y < sprite->h; ++y)
            for (int x = 0; x < sprite->w; ++x) {
                int c = getpixel(sprite, x, y), r = getr32(c), g = getg32(c), b = getb32(c);
                if (c == bitmap_mask_color(sprite)) continue;
                blue[i] += b > r + 60;
                red[i] += r > b + 60 && r > g + 60;
                white[i] += r > 190 && g > 190 && b > 190;
            }
    }
    EXPECT_GT(blue[0], 4 * std::max(blue[1], blue[2]));
    EXPECT_GT(red[1], 4 * std::max(red[0], red[2]));
    EXPECT_GT(white[2], 4 * std::max(white[0], white[1]));
}

TEST_F(ContentDatafiles, IntroHasBackgroundLogoSampleAndCornerPicture) {
    Datafile intro = loadGameDatafile("data/intro.dat");
    ASSERT_TRUE(intro);
    ASSERT_EQ(itemCount(intro.get()), 4);
    BITMAP *background = bitmapItem(intro, 0), *logo = bitmapItem(intro, 1), *corner = bitmapItem(intro, 3);
    ASSERT_TRUE(background && logo && corner);
    EXPECT_EQ(background->w, 800);
    EXPECT_EQ(background->h, 600);
    EXPECT_LT(logo->w, 800);
    EXPECT_TRUE(isMask(logo, 0, 0));
    EXPECT_LE(corner->h, 100);
    ASSERT_EQ(intro.get()[2].type, DAT_SAMPLE);
}

TEST_F(ContentDatafiles, ShipWithoutDatesOrBuildPaths) {
    std::vector<const char*> files = {"data/data.dat", "data/intro.dat"};
    for (const char* file : TILE_SETS) files.push_back(file);
    for (const unitFile& row : UNIT_FILES) files.push_back(row.file);
    for (const char* file : files) {
        Datafile d = loadGameDatafile(file);
        ASSERT_TRUE(d) << file;
        for (int i = 0; i < itemCount(d.get()); ++i)
            for (int property : {DAT_ID('O', 'R', 'I', 'G'), DAT_ID('D', 'A', 'T', 'E')})
                EXPECT_STREQ(get_datafile_property(&d.get()[i], property), "") << file << " item " << i;
    }
}
