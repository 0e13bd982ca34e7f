// Feeds arbitrary text to the mission description reader, as a mission and
// as a campaign text; an accepted mission has at most five objectives, each
// with a position on a map of the largest size.
#include <cstdlib>
#include <string>

#include "game/mission_description.h"
#include "map/map_file.h"
#include "script/virtual_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (bool campaign : {false, true}) {
        missionDescription d;
        std::string reason;
        if (!parseMissionDescription(text, "maps/fuzz.kvd", campaign, d, reason)) {
            if (reason.empty() || campaign) std::abort();
            continue;
        }
        if (d.objectives.size() > MAX_OBJECTIVES || d.positions.size() != d.objectives.size()) std::abort();
        for (const objectiveTile& t : d.positions)
            if (t.column < 0 || t.column >= MAP_MAX_SIDE || t.row < 0 || t.row >= MAP_MAX_SIDE) std::abort();
    }
    return 0;
}
