// The files a multiplayer server and its clients read, made in the working
// directory: a tile set "tiles.dat" (tile 0 floor, tile 1 wall, tiles 2 and
// 3 animate into each other), the client's bar, weapon and player pictures
// and "mpmaps/<name>.kvm". Shared by the multiplayer tests and fuzz targets.
#pragma once

#include <allegro.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../map/map_test_files.h"

namespace mpfiles {

using maptest::bytes;

struct spawn {
    float x;
    float y;
    int direction;
};

inline void writeTileset() { maptest::writeTileset("tiles.dat", {0, 1, 0, 0}, {0, 1, 3, 2}); }

inline void savePicture(const std::string& name, int w, int h, int colour) {
    BITMAP* bmp = create_bitmap(w, h);
    clear_to_color(bmp, colour);
    save_bitmap(name.c_str(), bmp, nullptr);
    destroy_bitmap(bmp);
}

// The bars, six weapon icons and six 16 x 16 player sprites, one colour
// per state.
inline void writeClientPictures() {
    mkdir("gfx", 0755);
    mkdir("data", 0755);
    savePicture("gfx/lifebar.tga", 200, 12, makecol(200, 40, 40));
    savePicture("gfx/armorbar.tga", 200, 12, makecol(40, 80, 200));
    for (int i = 0; i < 6; ++i) savePicture("gfx/weapon" + std::to_string(i) + ".tga", 48, 24, makecol(90, 90, 90));
    bytes b;
    for (const char* tag : {"slh.", "ALL."}) maptest::putTag(b, tag);
    maptest::putBig(b, 6, 4);
    for (uint32_t colour : {0x2050d0, 0x20a0d0, 0xd0a020, 0x20c040, 0xc04020, 0x802020}) {
        maptest::putTag(b, "BMP ");
        for (int i = 0; i < 2; ++i) maptest::putBig(b, 6 + 3 * 16 * 16, 4);
        for (int v : {24, 16, 16}) maptest::putBig(b, v, 2);
        for (int i = 0; i < 16 * 16; ++i) maptest::putBig(b, colour, 3);
    }
    maptest::writeBytes("data/playergr.dat", b);
}

// A multiplayer map of width x height floor tiles.
inline void writeMap(const std::string& name, int width, int height, const std::vector<spawn>& spawns) {
    mkdir("mpmaps", 0755);
    maptest::mapBytes m;
    m.header('M', "tiles.dat", width, height).plainTiles(width * height).byte(0).byte(0).text("chars.txt");
    m.int32(static_cast<int>(spawns.size()));
    for (const spawn& s : spawns) m.byte(0).float32(s.x).float32(s.y).byte(s.direction).byte(0).byte(0);
    m.write("mpmaps/" + name + ".kvm");
}

}  // namespace mpfiles
