// Access to the assembled game folder for the tests of the generated
// content.
#pragma once
#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

inline std::string gamePath(const std::string& relative) { return std::string(KORVALT_GAME_DIR) + "/" + relative; }

using Datafile = std::unique_ptr<DATAFILE, void (*)(DATAFILE*)>;
inline Datafile loadGameDatafile(const std::string& relative) {
    return {load_datafile(gamePath(relative).c_str()), unload_datafile};
}

inline int itemCount(const DATAFILE* d) {
    int n = 0;
    while (d[n].type != DAT_END) ++n;
    return n;
}

using Bitmap = std::unique_ptr<BITMAP, void (*)(BITMAP*)>;
inline Bitmap loadGameBitmap(const std::string& relative) {
    return {load_bitmap(gamePath(relative).c_str(), nullptr), destroy_bitmap};
}

inline bool isMask(BITMAP* b, int x, int y) { return getpixel(b, x, y) == bitmap_mask_color(b); }

// Pixels close to magenta but not the mask colour show as a pink fringe.
inline int fringePixels(BITMAP* b) {
    int count = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            const int c = getpixel(b, x, y);
            count += !isMask(b, x, y) && getr32(c) > 200 && getb32(c) > 200 && getg32(c) < 80;
        }
    return count;
}

// Base of the content tests: they need the assembled game folder, which
// builds configured with KORVALT_GAME=OFF (such as the sanitizer build)
// do not make; there the tests are skipped. A folder that exists but
// lacks files fails them.
class GameFolderTest : public testing::Test {
protected:
    void SetUp() override {
        struct stat info;
        if (stat(KORVALT_GAME_DIR, &info) != 0) GTEST_SKIP() << "no game folder at " << KORVALT_GAME_DIR;
    }
};
