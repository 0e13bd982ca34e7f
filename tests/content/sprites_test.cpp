// Sprites and tiles are what the game draws most: masked pictures have
// clean edges (no pink fringe), every state and every tile is its own
// picture, and animation frames really change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/game_folder.h"

namespace {
class ContentSprites : public GameFolderTest {};

bool samePixels(BITMAP* a, int ax, BITMAP* b, int bx, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (getpixel(a, ax + x, y) != getpixel(b, bx + x, y)) return false;
    return true;
}

// Pixels close to magenta but not the mask colour show as a pink fringe.
int fringePixels(BITMAP* b) {
    int count = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            int c = getpixel(b, x, y);
            if (c != bitmap_mask_color(b) && getr32(c) > 200 && getb32(c) > 200 && getg32(c) < 80) ++count;
        }
    return count;
}

const char* const UNIT_FILES[] = {"data/units/player.dat",    "data/units/rifleman.dat", "data/units/shotgunner.dat",
                                  "data/units/heavy.dat",     "data/units/sniper.dat",   "data/units/scientist.dat",
                                  "data/units/technician.dat", "data/playergr.dat",      "data/editorgr.dat"};
}  // namespace

TEST_F(ContentSprites, MaskedPicturesHaveNoPinkFringe) {
    for (const char* file : UNIT_FILES) {
        Datafile d = loadGameDatafile(file);
        ASSERT_TRUE(d) << file;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(fringePixels(static_cast<BITMAP*>(d.get()[i].dat)), 0) << file << " #" << i;
    }
    std::vector<std::string> pictures = {"gfx/crosshair.tga", "gfx/arrow.tga", "gfx/gameover.tga", "gfx/missionsolved.tga"};
    for (int i = 0; i < 8; ++i) pictures.push_back("gfx/bullet" + std::to_string(i) + ".tga");
    for (int i = 0; i < 6; ++i) pictures.push_back("gfx/weapon" + std::to_string(i) + ".tga");
    for (const std::string& file : pictures) {
        Bitmap b = loadGameBitmap(file);
        ASSERT_TRUE(b) << file;
        EXPECT_EQ(fringePixels(b.get()), 0) << file;
    }
}

TEST_F(ContentSprites, EveryUnitStateLooksDifferent) {
    for (const char* file : UNIT_FILES) {
        Datafile d = loadGameDatafile(file);
        ASSERT_TRUE(d) << file;
        for (int i = 0; i < 6; ++i)
            for (int j = i + 1; j < 6; ++j) {
                BITMAP* a = static_cast<BITMAP*>(d.get()[i].dat);
                BITMAP* b = static_cast<BITMAP*>(d.get()[j].dat);
                // Civilians never aim or shoot, so their states 1 and 2
                // may share a picture.
                bool civilianAim = std::string(file).find("scientist") != std::string::npos ||
                                   std::string(file).find("technician") != std::string::npos;
                if (civilianAim && i == 1 && j == 2) continue;
                EXPECT_FALSE(samePixels(a, 0, b, 0, a->w, a->h)) << file << " states " << i << " and " << j;
            }
    }
}

TEST_F(ContentSprites, UnitTypesLookDifferentFromEachOther) {
    std::vector<Datafile> units;
    for (const char* file : UNIT_FILES) units.push_back(loadGameDatafile(file));
    for (size_t i = 0; i < units.size(); ++i)
        for (size_t j = i + 1; j < units.size(); ++j) {
            BITMAP* a = static_cast<BITMAP*>(units[i].get()[0].dat);
            BITMAP* b = static_cast<BITMAP*>(units[j].get()[0].dat);
            if (a->w != b->w) continue;
            EXPECT_FALSE(samePixels(a, 0, b, 0, a->w, a->h)) << UNIT_FILES[i] << " and " << UNIT_FILES[j];
        }
}

TEST_F(ContentSprites, TilesAreDistinctAndAnimationFramesChange) {
    for (const char* file : {"data/tiles/outdoor.dat", "data/tiles/indoor.dat"}) {
        Datafile set = loadGameDatafile(file);
        ASSERT_TRUE(set) << file;
        BITMAP* strip = static_cast<BITMAP*>(set.get()[1].dat);
        const unsigned char* successor = static_cast<const unsigned char*>(set.get()[0].dat) + strip->w / 32;
        int n = strip->w / 32, duplicates = 0;
        for (int t = 0; t < n; ++t) {
            if (successor[t] != t) {
                EXPECT_FALSE(samePixels(strip, t * 32, strip, successor[t] * 32, 32, 32)) << file << " tile " << t;
            }
            for (int u = t + 1; u < n; ++u)
                if (samePixels(strip, t * 32, strip, u * 32, 32, 32)) ++duplicates;
        }
        // A "still" tile repeats one animation frame so that scripts can
        // stop the animation: one such copy per animated light.
        EXPECT_LE(duplicates, 1) << file;
    }
}
