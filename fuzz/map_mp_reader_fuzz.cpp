// Reads arbitrary bytes as a multiplayer map file (tile layer and spawn
// points) and moves over the loaded map as the server does.
#include <sstream>

#include "map/map_class.h"
#include "map/map_file.h"
#include "map/multiplayer_map.h"
#include "map_fuzz_setup.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mapfuzz::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    mapClass map;
    try {
        map.readMap(file, "mpmaps/fuzz.kvm");
        mapFileReader rest(file, "mpmaps/fuzz.kvm");
        for (const spawnPoint& p : readSpawnPoints(rest, map.width, map.height)) {
            float x = p.x + 3, y = p.y - 40;
            map.handleMoveRequest(x, y, p.x, p.y);
            // Spawn points lie within a tile of the map, so they convert.
            int vx = static_cast<int>(x), vy = static_cast<int>(y);
            map.draw(vx, vy);
        }
        for (int i = 0; i < 16; ++i) map.poll();
    } catch (const mapFault&) {
    }
    return 0;
}
