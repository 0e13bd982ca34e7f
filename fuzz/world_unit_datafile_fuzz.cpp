// Feeds arbitrary bytes as the stream of a unit datafile: the check must
// refuse it or Allegro's loader must read it, and a unit then takes its
// sprites and radius from it or refuses it as incomplete.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "world/unit.h"
#include "world/unit_datafile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    static const std::string path = [] {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        return "/tmp/korvalt-unit-fuzz-" + std::to_string(getpid()) + ".dat";
    }();
    if (!unitDatafileStreamIsSound(data, size)) return 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fputs("slh.", f);
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    if (!unitDatafileIsSound(path)) std::abort();  // the file reads back as the same stream
    DATAFILE* loaded = load_datafile(path.c_str());
    if (!loaded) std::abort();
    Unit type;
    if (type.loadSprites(loaded) && !type.getSpriteAddress(UNIT_SPRITES - 1)) std::abort();
    unload_datafile(loaded);
    std::remove(path.c_str());
    return 0;
}
