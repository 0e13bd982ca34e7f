// The files a multiplayer server and its clients read, made in the working
// directory: a tile set "tiles.dat" (tile 0 floor, tile 1 wall, tiles 2 and
// 3 animate into each other), the client's bar, weapon and player pictures
// and "mpmaps/<name>.kvm". Shared by the multiplayer tests and fuzz targets.
#pragma once

#include <allegro.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace mpfiles {

using bytes = std::vector<unsigned char>;

struct spawn {
    float x;
    float y;
    int direction;
};

// n bytes of v, most significant first.
inline void putBig(bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
// 4 bytes of v, least significant first.
inline void putLittle(bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// The head of an uncompressed datafile of `objects` objects.
inline bytes datafile(int objects) {
    bytes b = {'s', 'l', 'h', '.', 'A', 'L', 'L', '.'};
    putBig(b, objects, 4);
    return b;
}

// One 24-bit "BMP " object of w x h pixels; paint(x, y) gives 0xRRGGBB.
template <typename painter>
void putBitmapObject(bytes& b, int w, int h, painter paint) {
    b.insert(b.end(), {'B', 'M', 'P', ' '});
    putBig(b, 6 + 3u * w * h, 4);
    putBig(b, 6 + 3u * w * h, 4);
    for (int v : {24, w, h}) putBig(b, v, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) putBig(b, paint(x, y), 3);
}

inline void writeBytes(const std::string& name, const bytes& b) {
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
}

inline void writeTileset() {
    bytes b = datafile(2);
    // A DATA object of 8 bytes: solidity of tiles 0 to 3, then their successors.
    b.insert(b.end(), {'D', 'A', 'T', 'A', 0, 0, 0, 8, 0, 0, 0, 8, 0, 1, 0, 0, 0, 1, 3, 2});
    const uint32_t colours[4] = {0x4a7a3a, 0x555555, 0x3a5a9a, 0x4a6aaa};
    putBitmapObject(b, 128, 32, [&](int x, int y) { return (x % 32 == 0 || y == 0) ? 0x304a28 : colours[x / 32]; });
    writeBytes("tiles.dat", b);
}

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
    bytes sprites = datafile(6);
    for (uint32_t colour : {0x2050d0, 0x20a0d0, 0xd0a020, 0x20c040, 0xc04020, 0x802020})
        putBitmapObject(sprites, 16, 16, [&](int, int) { return colour; });
    writeBytes("data/playergr.dat", sprites);
}

// A multiplayer map of width x height floor tiles.
inline void writeMap(const std::string& name, int width, int height, const std::vector<spawn>& spawns) {
    mkdir("mpmaps", 0755);
    bytes b = {0, 6, 'A', 'M', 't', 'i', 'l', 'e', 's', '.', 'd', 'a', 't', 13};
    putLittle(b, static_cast<uint32_t>(width));
    putLittle(b, static_cast<uint32_t>(height));
    b.resize(b.size() + 2 * width * height + 2, 0);  // floor tiles without scripts; no global script or campaign
    b.insert(b.end(), {'c', 'h', 'a', 'r', 's', '.', 't', 'x', 't', 13});
    putLittle(b, static_cast<uint32_t>(spawns.size()));
    for (const spawn& s : spawns) {
        uint32_t x = 0, y = 0;
        std::memcpy(&x, &s.x, 4);
        std::memcpy(&y, &s.y, 4);
        b.push_back(0);
        putLittle(b, x);
        putLittle(b, y);
        b.insert(b.end(), {static_cast<unsigned char>(s.direction), 0, 0});
    }
    writeBytes("mpmaps/" + name + ".kvm", b);
}

}  // namespace mpfiles
