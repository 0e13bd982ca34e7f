// Feeds arbitrary text to the editor's character set count reader; the
// counts it accepts must lie within the range a map can name.
#include <cstdlib>
#include <sstream>
#include <string>

#include "editor/character_counts.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    characterCounts counts;
    std::string reason;
    if (!readCharacterCounts(in, counts, reason)) {
        if (reason.empty()) std::abort();
        return 0;
    }
    if (counts.players < 0 || counts.enemies < 0 || counts.civilians < 0) std::abort();
    if (counts.players > 128 || counts.enemies > 128 || counts.civilians > 128) std::abort();
    return 0;
}
