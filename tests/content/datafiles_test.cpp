// The generated datafiles load with Allegro and hold the items, types and
// sizes that the game reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "content/game_folder.h"

class ContentDatafiles : public GameFolderTest {};

namespace {
const char* const UNIT_FILES[] = {"data/units/player.dat",    "data/units/rifleman.dat",  "data/units/shotgunner.dat",
                                  "data/units/heavy.dat",     "data/units/sniper.dat",    "data/units/scientist.dat",
                                  "data/units/technician.dat", "data/editorgr.dat"};
const char* const TILE_SETS[] = {"data/tiles/outdoor.dat", "data/tiles/indoor.dat"};
const char* const ALL_DATAFILES[] = {"data/data.dat",          "data/intro.dat",         "data/playergr.dat",
                                     "data/editorgr.dat",      "data/tiles/outdoor.dat", "data/tiles/indoor.dat",
                                     "data/units/player.dat",  "data/units/rifleman.dat", "data/units/shotgunner.dat",
                                     "data/units/heavy.dat",   "data/units/sniper.dat",  "data/units/scientist.dat",
                                     "data/units/technician.dat"};

BITMAP* bitmapItem(DATAFILE* d, int i) {
    EXPECT_EQ(d[i].type, DAT_BITMAP) << "item " << i;
    return d[i].type == DAT_BITMAP ? static_cast<BITMAP*>(d[i].dat) : nullptr;
}

// Six sprites of one size, drawn masked: corners are the mask colour and
// each sprite has a body.
void expectUnitSprites(DATAFILE* d, const std::string& file) {
    BITMAP* first = bitmapItem(d, 0);
    ASSERT_NE(first, nullptr) << file;
    for (int i = 0; i < 6; ++i) {
        BITMAP* sprite = bitmapItem(d, i);
        ASSERT_NE(sprite, nullptr) << file;
        EXPECT_EQ(sprite->w, first->w) << file << " item " << i;
        EXPECT_EQ(sprite->h, first->h) << file << " item " << i;
        EXPECT_TRUE(isMask(sprite, 0, 0) && isMask(sprite, sprite->w - 1, sprite->h - 1)) << file << " item " << i;
        EXPECT_FALSE(isMask(sprite, sprite->w / 2, sprite->h / 2)) << file << " item " << i;
    }
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
        for (int ch = 33; ch < 127; ++ch) {
            char text[2] = {static_cast<char>(ch), 0};
            EXPECT_GT(text_length(font, text), 0) << "font " << i << " char " << ch;
        }
        EXPECT_GT(text_length(font, " "), 0);
    }
    // The menu font is the large one; text and messages are readable sizes.
    EXPECT_GT(heights[0], heights[1]);
    EXPECT_GE(heights[1], 12);
    EXPECT_GE(heights[2], 12);
}

TEST_F(ContentDatafiles, TileSetsHoldSolidityAndSuccessorsForEveryTile) {
    for (const char* file : TILE_SETS) {
        Datafile set = loadGameDatafile(file);
        ASSERT_TRUE(set) << file;
        ASSERT_EQ(itemCount(set.get()), 2) << file;
        ASSERT_EQ(set.get()[0].type, DAT_DATA) << file;
        BITMAP* strip = bitmapItem(set.get(), 1);
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->w % 32, 0) << file;
        EXPECT_EQ(strip->h, 32) << file;
        int n = strip->w / 32;
        EXPECT_GE(n, 40) << file;
        EXPECT_LE(n, 128) << file;
        ASSERT_EQ(set.get()[0].size, 2 * n) << file;
        const signed char* solidity = static_cast<const signed char*>(set.get()[0].dat);
        const unsigned char* successor = static_cast<const unsigned char*>(set.get()[0].dat) + n;
        std::set<int> solidities;
        int animated = 0;
        for (int t = 0; t < n; ++t) {
            solidities.insert(solidity[t]);
            ASSERT_LT(successor[t], n) << file << " tile " << t;
            // Animations are short cycles: following successors returns to
            // the tile within four steps.
            int steps = 1, at = successor[t];
            while (at != t && steps < 5) at = successor[at], ++steps;
            EXPECT_EQ(at, t) << file << " tile " << t << " is not on a cycle";
            EXPECT_LE(steps, 4) << file << " tile " << t;
            if (successor[t] != t) ++animated;
        }
        EXPECT_EQ(solidities, (std::set<int>{0, 1, 2, 3})) << file;
        EXPECT_GE(animated, 6) << file;
    }
}

TEST_F(ContentDatafiles, UnitTypesHaveSixSpritesAndARadius) {
    for (const char* file : UNIT_FILES) {
        Datafile unit = loadGameDatafile(file);
        ASSERT_TRUE(unit) << file;
        ASSERT_EQ(itemCount(unit.get()), 7) << file;
        expectUnitSprites(unit.get(), file);
        ASSERT_EQ(unit.get()[6].type, DAT_DATA) << file;
        ASSERT_GE(unit.get()[6].size, 1) << file;
        int radius = static_cast<const signed char*>(unit.get()[6].dat)[0];
        EXPECT_GE(radius, 4) << file;
        EXPECT_LE(radius, 16) << file;
        BITMAP* sprite = static_cast<BITMAP*>(unit.get()[0].dat);
        EXPECT_LE(2 * radius, sprite->w) << file;
    }
    // Multiplayer figures take their radius from the game, not the file.
    Datafile players = loadGameDatafile("data/playergr.dat");
    ASSERT_TRUE(players);
    ASSERT_GE(itemCount(players.get()), 6);
    expectUnitSprites(players.get(), "data/playergr.dat");
}

TEST_F(ContentDatafiles, EditorLooksAreToldApartByColour) {
    Datafile editor = loadGameDatafile("data/editorgr.dat");
    ASSERT_TRUE(editor);
    // Pixels that are clearly blue, clearly red or near white, per look.
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
    BITMAP* background = bitmapItem(intro.get(), 0);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->w, 800);
    EXPECT_EQ(background->h, 600);
    BITMAP* logo = bitmapItem(intro.get(), 1);
    ASSERT_NE(logo, nullptr);
    EXPECT_LT(logo->w, 800);
    EXPECT_TRUE(isMask(logo, 0, 0));
    ASSERT_EQ(intro.get()[2].type, DAT_SAMPLE);
    SAMPLE* sample = static_cast<SAMPLE*>(intro.get()[2].dat);
    EXPECT_GT(sample->len, sample->freq / 4u);
    BITMAP* corner = bitmapItem(intro.get(), 3);
    ASSERT_NE(corner, nullptr);
    EXPECT_LE(corner->h, 100);
}

TEST_F(ContentDatafiles, ShipWithoutDatesOrBuildPaths) {
    for (const char* file : ALL_DATAFILES) {
        Datafile d = loadGameDatafile(file);
        ASSERT_TRUE(d) << file;
        for (int i = 0; i < itemCount(d.get()); ++i) {
            EXPECT_STREQ(get_datafile_property(&d.get()[i], DAT_ID('O', 'R', 'I', 'G')), "") << file << " item " << i;
            EXPECT_STREQ(get_datafile_property(&d.get()[i], DAT_ID('D', 'A', 'T', 'E')), "") << file << " item " << i;
        }
    }
}
