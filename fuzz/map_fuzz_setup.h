// Shared set-up of the map fuzz targets: a private working directory with
// a small tile set "t.dat" (tile 0 floor, 1 blocks units, 2 and 3 animate
// into each other), a "scripts" folder and a script source "a.ukv".
#pragma once

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/globals.h"
#include "fuzz_work_dir.h"

namespace mapfuzz {

inline void putBig(std::vector<unsigned char>& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// The datafile stream (after the packfile magic) of a tile set.
inline std::vector<unsigned char> tilesetStream(const std::vector<unsigned char>& table, int stripWidth) {
    std::vector<unsigned char> b = {'A', 'L', 'L', '.'};
    putBig(b, 2, 4);
    b.insert(b.end(), {'D', 'A', 'T', 'A'});
    putBig(b, table.size(), 4);
    putBig(b, table.size(), 4);
    b.insert(b.end(), table.begin(), table.end());
    const uint32_t size = 6 + 3u * stripWidth * 32;
    b.insert(b.end(), {'B', 'M', 'P', ' '});
    putBig(b, size, 4);
    putBig(b, size, 4);
    putBig(b, 32, 2);
    putBig(b, stripWidth, 2);
    putBig(b, 32, 2);
    for (int i = 0; i < stripWidth * 32; ++i) b.insert(b.end(), {static_cast<unsigned char>(i), 90, 180});
    return b;
}

inline void writeFile(const std::string& name, const std::string& prefix, const std::vector<unsigned char>& data) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(prefix.data(), 1, prefix.size(), f);
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

inline void setUp() {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    global.buffer = create_bitmap(800, 600);
    enterFuzzWorkDir("map-fuzz");
    std::filesystem::create_directories("scripts");
    writeFile("t.dat", "slh.", tilesetStream({0, 1, 0, 0, 0, 1, 3, 2}, 128));
    std::FILE* f = std::fopen("a.ukv", "w");
    std::fputs("event onLoad\nadd %40 1\nend\nevent onEnter\nset %41 THISX\nend\n", f);
    std::fclose(f);
}

}  // namespace mapfuzz
