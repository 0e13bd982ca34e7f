// The generated datafiles load with Allegro and hold the items, types and
// sizes that the game reads; masked sprites have clean edges (no pink
// fringe) and every state and every tile is its own picture.
#include <gtest/gtest.h>

#include "content/game_folder.h"

class ContentDatafiles : public GameFolderTest {};

namespace {
// Item i as a bitmap, or nullptr when it is something else.
BITMAP* bitmapItem(const Datafile& d, int i) {
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
    EXPECT_GT(text_height(static_cast<FONT*>(data.get()[0].dat)), text_height(static_cast<FONT*>(data.get()[1].dat)));
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
        EXPECT_TRUE(strip->w % 32 == 0 && strip->w <= 128 * 32 && strip->h == 32);
        const int n = strip->w / 32;
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
    for (const std::string name : {"units/player", "units/rifleman", "units/shotgunner", "units/heavy", "units/sniper",
                                   "units/scientist", "units/technician", "editorgr", "playergr"}) {
        SCOPED_TRACE(name);
        // Item 6 holds the radius, except in the multiplayer figures, which
        // take it from the game; civilians never aim or shoot, so states 1
        // and 2 may share a picture.
        const bool hasRadius = name != "playergr", civilian = name == "units/scientist" || name == "units/technician";
        Datafile unit = loadGameDatafile("data/" + name + ".dat");
        ASSERT_TRUE(unit);
        ASSERT_EQ(itemCount(unit.get()), hasRadius ? 7 : 6);
        BITMAP* sprite[6];
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);  // the item
            BITMAP* s = sprite[i] = bitmapItem(unit, i);
            ASSERT_NE(s, nullptr);
            EXPECT_TRUE(s->w == sprite[0]->w && s->h == sprite[0]->h);
            EXPECT_TRUE(isMask(s, 0, 0) && isMask(s, s->w - 1, s->h - 1) && !isMask(s, s->w / 2, s->h / 2));
            EXPECT_EQ(fringePixels(s), 0);
            for (int j = 0; j < i; ++j)
                EXPECT_TRUE((civilian && j == 1 && i == 2) || !samePixels(sprite[j], 0, s, 0, s->w, s->h))
                    << "state " << j;
        }
        if (!hasRadius) continue;
        ASSERT_TRUE(unit.get()[6].type == DAT_DATA && unit.get()[6].size >= 1);
        const int radius = static_cast<const signed char*>(unit.get()[6].dat)[0];
        EXPECT_TRUE(radius >= 4 && radius <= 16 && 2 * radius <= sprite[0]->w) << radius;
    }
}
