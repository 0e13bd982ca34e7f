// Shared by the multiplayer fuzz targets: Allegro without a window, a
// private working folder with the test map and the client's pictures, the
// transport started, and the input cut into messages (a length byte, then
// that many bytes; the last one takes what is left).
#pragma once

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../tests/net/mp_files.h"
#include "app/globals.h"
#include "fuzz_work_dir.h"
#include "net/transport.h"

namespace mpfuzz {

inline void setUp() {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    global.buffer = create_bitmap(800, 600);
    global.menuFont = global.textFont = global.messageFont = font;
    enterFuzzWorkDir("mp-fuzz");
    mpfiles::writeTileset();
    mpfiles::writeClientPictures();
    mpfiles::writeMap("testmap", 20, 15, {{100, 100, 64}, {100, 100, 0}, {660, -20, 0}});
    net_init();
    global.netDriver = NET_DRIVER_SOCKETS;
}

inline std::vector<std::string> messages(const uint8_t* data, size_t size) {
    std::vector<std::string> all;
    size_t at = 0;
    while (at < size && all.size() < 64) {
        size_t n = data[at++];
        if (n > size - at) n = size - at;
        all.emplace_back(reinterpret_cast<const char*>(data + at), n);
        at += n;
    }
    return all;
}

}  // namespace mpfuzz
