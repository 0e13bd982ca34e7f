#include "map/multiplayer_map.h"

#include "map/map_file.h"

std::vector<spawnPoint> readSpawnPoints(mapFileReader& in, int width, int height) {
    if (in.byte() != 0) in.fail("Global scripts in multiplayer maps are not allowed!");
    if (in.byte() != 0) in.fail("Multiplayer maps must not belong to a campaign");
    in.text();
    const int count = in.int32();
    if (count < 1) in.fail("No spawn points on map!");
    std::vector<spawnPoint> spawns;
    // The count isn't trusted for allocation: the records run out first.
    for (int i = 0; i < count; ++i) {
        in.signedByte();
        spawnPoint p{};
        p.x = in.float32();
        p.y = in.float32();
        checkUnitPosition(in, p.x, p.y, width, height);
        p.direction = in.signedByte();
        in.signedByte();
        if (in.byte() != SCRIPT_NONE) in.fail("Scripts in multiplayer maps are not allowed!");
        spawns.push_back(p);
    }
    return spawns;
}
