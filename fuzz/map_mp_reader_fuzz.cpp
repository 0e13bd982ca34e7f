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
        for (const spawnPoint& p : readSpawnPoints(rest)) {
            float x = p.x + 3, y = p.y - 40;
            map.handleMoveRequest(x, y, p.x, p.y);
            // The view centre in whole pixels (spawn points may hold any float).
            auto pixel = [](float f) { return f > -1e9f && f < 1e9f ? static_cast<int>(f) : 0; };
            int vx = pixel(x), vy = pixel(y);
            map.draw(vx, vy);
        }
        for (int i = 0; i < 16; ++i) map.poll();
    } catch (const mapFault&) {
    }
    return 0;
}
