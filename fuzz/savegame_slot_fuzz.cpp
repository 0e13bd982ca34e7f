// Feeds arbitrary savegame and mission description files to the savegame
// slot screen's reader. Input: the savegame's bytes, a zero byte, then the
// bytes of "maps/gate.kvd". A savegame that is accepted must name a map
// inside "maps/" and hold bonuses the difficulty table gives.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/savegame.h"
#include "fuzz_work_dir.h"
#include "ui/menu_savegames.h"

namespace {
void writeBytes(const char* path, const unsigned char* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterFuzzWorkDir("slot-fuzz");
    std::filesystem::create_directories("save");
    std::filesystem::create_directories("maps");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    size_t split = 0;
    while (split < size && data[split] != 0) split++;
    writeBytes("save/slot1.sav", data, split);
    const size_t rest = split < size ? split + 1 : size;
    writeBytes("maps/gate.kvd", data + rest, size - rest);

    savegame game;
    if (readSavegame("save/slot1.sav", game) &&
        (!isPlainMapName(game.mapName) || game.healBonus < 0 || game.healBonus > MAX_HEAL_BONUS ||
         game.ammoBonus < 0 || game.ammoBonus > MAX_AMMO_BONUS))
        std::abort();
    slotDescription(1);
    return 0;
}
