// The files a multiplayer server and its clients read, made in the working
// directory: a tile set "tiles.dat" (tile 0 floor, tile 1 wall, tiles 2 and
// 3 animate into each other), the client's bar, weapon and player pictures
// and "mpmaps/<name>.kvm". Shared by the multiplayer tests and fuzz targets.
#pragma once

#include <allegro.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace mpfiles {

using bytes = std::vector<unsigned char>;

struct spawn {
    float x;
    float y;
    int direction;
};

inline void putBig(bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
inline void putLittle(bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
inline void putFloat(bytes& b, float f) {
    uint32_t v = 0;
    std::memcpy(&v, &f, 4);
    putLittle(b, v);
}
inline void putText(bytes& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(13);
}

// One 24-bit "BMP " object of w x h pixels; paint(x, y) gives 0xRRGGBB.
template <typename painter>
void putBitmapObject(bytes& b, int w, int h, painter paint) {
    b.insert(b.end(), {'B', 'M', 'P', ' '});
    const uint32_t size = 6 + 3u * w * h;
    putBig(b, size, 4);
    putBig(b, size, 4);
    putBig(b, 24, 2);
    putBig(b, w, 2);
    putBig(b, h, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = paint(x, y);
            b.insert(b.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                               static_cast<unsigned char>(c)});
        }
}

inline void writeBytes(const std::string& name, const bytes& b) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return;
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

inline void writeTileset() {
    bytes b = {'s', 'l', 'h', '.', 'A', 'L', 'L', '.'};
    putBig(b, 2, 4);
    const bytes table = {0, 1, 0, 0, 0, 1, 3, 2};
    b.insert(b.end(), {'D', 'A', 'T', 'A'});
    putBig(b, table.size(), 4);
    putBig(b, table.size(), 4);
    b.insert(b.end(), table.begin(), table.end());
    const uint32_t colours[4] = {0x4a7a3a, 0x555555, 0x3a5a9a, 0x4a6aaa};
    putBitmapObject(b, 128, 32, [&](int x, int y) { return (x % 32 == 0 || y == 0) ? 0x304a28 : colours[x / 32]; });
    writeBytes("tiles.dat", b);
}

// Six 16 x 16 player sprites, one colour per state, each with a nose at
// the top so that the facing shows.
inline void writePlayerSprites() {
    bytes b = {'s', 'l', 'h', '.', 'A', 'L', 'L', '.'};
    putBig(b, 6, 4);
    const uint32_t colours[6] = {0x2050d0, 0x20a0d0, 0xd0a020, 0x20c040, 0xc04020, 0x802020};
    for (int s = 0; s < 6; ++s)
        putBitmapObject(b, 16, 16, [&](int x, int y) {
            const int dx = x - 8, dy = y - 8;
            if (x >= 7 && x <= 8 && y <= 3) return 0xffffffu;
            return dx * dx + dy * dy <= 36 ? colours[s] : 0xff00ffu;
        });
    writeBytes("data/playergr.dat", b);
}

inline void savePicture(const std::string& name, int w, int h, int colour) {
    BITMAP* bmp = create_bitmap(w, h);
    clear_to_color(bmp, colour);
    save_bitmap(name.c_str(), bmp, nullptr);
    destroy_bitmap(bmp);
}

inline void writeClientPictures() {
    mkdir("gfx", 0755);
    mkdir("data", 0755);
    savePicture("gfx/lifebar.tga", 200, 12, makecol(200, 40, 40));
    savePicture("gfx/armorbar.tga", 200, 12, makecol(40, 80, 200));
    for (int i = 0; i < 6; ++i) savePicture("gfx/weapon" + std::to_string(i) + ".tga", 48, 24, makecol(90, 90, 90));
    writePlayerSprites();
}

// A multiplayer map of width x height floor tiles with walls where
// walls[row * width + column] is set.
inline void writeMap(const std::string& name, int width, int height, const std::vector<spawn>& spawns,
                     const std::vector<int>& walls = {}) {
    mkdir("mpmaps", 0755);
    bytes b = {0, 6, 'A', 'M'};
    putText(b, "tiles.dat");
    putLittle(b, static_cast<uint32_t>(width));
    putLittle(b, static_cast<uint32_t>(height));
    for (int i = 0; i < width * height; ++i) {
        b.push_back(static_cast<unsigned char>(i < static_cast<int>(walls.size()) && walls[i] ? 1 : 0));
        b.push_back(0);
    }
    b.push_back(0);
    b.push_back(0);
    putText(b, "chars.txt");
    putLittle(b, static_cast<uint32_t>(spawns.size()));
    for (const spawn& s : spawns) {
        b.push_back(0);
        putFloat(b, s.x);
        putFloat(b, s.y);
        b.push_back(static_cast<unsigned char>(s.direction));
        b.push_back(0);
        b.push_back(0);
    }
    writeBytes("mpmaps/" + name + ".kvm", b);
}

}  // namespace mpfiles
