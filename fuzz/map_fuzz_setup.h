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

#include "../tests/map/map_test_files.h"
#include "app/globals.h"
#include "fuzz_work_dir.h"

namespace mapfuzz {

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
    maptest::writeTileset("t.dat", {0, 1, 0, 0}, {0, 1, 3, 2});
    std::FILE* f = std::fopen("a.ukv", "w");
    std::fputs("event onLoad\nadd %40 1\nend\nevent onEnter\nset %41 THISX\nend\n", f);
    std::fclose(f);
}

}  // namespace mapfuzz
