// Feeds arbitrary text to the character set reader; an accepted set must
// keep every count and weapon inside the limits the game relies on.
#include <cstdlib>
#include <string>

#include "game/character_set.h"
#include "world/weapons.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    characterSet set;
    std::string reason;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!parseCharacterSet(text, "fuzz.txt", set, reason)) {
        if (reason.empty()) std::abort();
        return 0;
    }
    if (set.typeCount() > MAX_UNIT_TYPES || set.player.graphics.empty()) std::abort();
    for (const unitTypeDefinition& d : set.enemies)
        if (!isWeapon(d.weapon) || d.graphics.empty()) std::abort();
    return 0;
}
