// The generated datafiles load with Allegro and hold the items, types and
// sizes that the game reads; masked sprites have clean edges (no pink
// fringe) and every state and every tile is its own picture.
#include <gtest/gtest.h>

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

// Fonts 0 to 2 (menu, text, messages), then the intro's background, logo,
// sample and corner picture.
TEST_F(ContentDatafiles, FontsAndIntroHoldTheirItems) {
    Datafile data = loadGameDatafile("data/data.dat"), intro = loadGameDatafile("data/intro.dat");
    ASSERT_TRUE(data && intro);
    ASSERT_EQ(itemCount(data.get()), 3);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(data.get()[i].type, DAT_FONT);
    const int menu = text_height(static_cast<FONT*>(data.get()[0].dat));
    EXPECT_GT(menu, text_height(static_cast<FONT*>(data.get()[1].dat)));
    EXPECT_GE(text_height(static_cast<FONT*>(data.get()[2].dat)), 12);
    ASSERT_EQ(itemCount(intro.get()), 4);
    BITMAP *background = bitmapItem(intro, 0), *logo = bitmapItem(intro, 1), *corner = bitmapItem(intro, 3);
    ASSERT_TRUE(background && logo && corner);
    EXPECT_TRUE(background->w == 800 && background->h == 600);
    EXPECT_TRUE(logo->w < 800 && isMask(logo, 0, 0));
    EXPECT_LE(corner->h, 100);
    EXPECT_EQ(intro.get()[2].type, DAT_SAMPLE);
}

// A tile set is its solidity and successor bytes, then a strip of at most
// 128 distinct 32 x 32 tiles; a "still" copy of one light's frame lets
// scripts stop its animation.
TEST_F(ContentDatafiles, TileSetsHoldSolidityAndSuccessorsOfDistinctTiles) {
    for (const char* file : {"data/tiles/outdoor.dat", "data/tiles/indoor.dat"}) {
        SCOPED_TRACE(file);
        Datafile set = loadGameDatafile(file);
        ASSERT_TRUE(set);
        ASSERT_EQ(itemCount(set.get()), 2);
        ASSERT_EQ(set.get()[0].type, DAT_DATA);
        BITMAP* strip = bitmapItem(set, 1);
        ASSERT_NE(strip, nullptr);
        EXPECT_TRUE(strip->w % 32 == 0 && strip->h == 32);
        const int n = strip->w / 32;
        EXPECT_LE(n, 128);
        ASSERT_EQ(set.get()[0].size, 2 * n);
        const unsigned char* successor = static_cast<const unsigned char*>(set.get()[0].dat) + n;
        int duplicates = 0;
        for (int t = 0; t < n; ++t) {
            EXPECT_LT(successor[t], n) << "tile " << t;
            for (int u = t + 1; u < n; ++u) duplicates += samePixels(strip, t * 32, strip, u * 32, 32, 32);
        }
        EXPECT_LE(duplicates, 1);
    }
}

// Six masked sprites of one size, each with a body, no fringe and a look
// of its own; then the radius, which fits the sprite.
TEST_F(ContentDatafiles, UnitFilesHoldSixDistinctCleanSpritesAndARadius) {
    for (const unitFile& row : UNIT_FILES) {
        SCOPED_TRACE(row.file);
        Datafile unit = loadGameDatafile(row.file);
        ASSERT_TRUE(unit);
        ASSERT_EQ(itemCount(unit.get()), row.radius ? 7 : 6);
        BITMAP* sprite[6];
        for (int i = 0; i < 6; ++i) {
            ASSERT_NE(sprite[i] = bitmapItem(unit, i), nullptr);
            EXPECT_TRUE(sprite[i]->w == sprite[0]->w && sprite[i]->h == sprite[0]->h) << "item " << i;
            EXPECT_TRUE(isMask(sprite[i], 0, 0) && isMask(sprite[i], sprite[i]->w - 1, sprite[i]->h - 1)) << "item " << i;
            EXPECT_FALSE(isMask(sprite[i], sprite[i]->w / 2, sprite[i]->h / 2)) << "item " << i;
            EXPECT_EQ(fringePixels(sprite[i]), 0) << "item " << i;
            for (int j = 0; j < i; ++j)
                EXPECT_TRUE((row.civilian && j == 1 && i == 2) || !samePixels(sprite[j], 0, sprite[i], 0, sprite[i]->w, sprite[i]->h))
                    << "states " << j << ", " << i;
        }
        if (!row.radius) continue;
        ASSERT_TRUE(unit.get()[6].type == DAT_DATA && unit.get()[6].size >= 1);
        const int radius = static_cast<const signed char*>(unit.get()[6].dat)[0];
        EXPECT_TRUE(radius >= 4 && radius <= 16 && 2 * radius <= sprite[0]->w) << radius;
    }
}
