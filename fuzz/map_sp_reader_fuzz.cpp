// Reads arbitrary bytes as a single-player map file: the tile layer with
// its scripts (onLoad events run), then the rest of the file as the
// mission set-up reads it: global script, campaign, character set, units.
#include <cstring>
#include <sstream>

#include "map/map_file.h"
#include "map/sp_map.h"
#include "map_fuzz_setup.h"
#include "script/command_tables.h"
#include "script/virtual_machine.h"
#include "world/enemy.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mapfuzz::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    VirtualMachine vm;
    SPmapClass map;
    // Loading a sound from an arbitrary file name ends the program by
    // design, so events that may hold loadsound don't run.
    auto runOnLoad = [&vm](bytecode& code) {
        if (!std::memchr(code.data(), OP_LOADSOUND, code.getLength())) vm.run(code);
    };
    try {
        map.readMap(file, "maps/fuzz.kvm", 'S', vm, runOnLoad);
        for (int i = 0; i < 16; ++i) map.poll();
        int x = 1000, y = 1000;
        map.draw(x, y);
        map.getMapPreview(270, 230);
        mapFileReader rest(file, "maps/fuzz.kvm");
        if (rest.byte() != 0) rest.script(GLOBAL_SCRIPT_LIMIT);
        if (rest.byte() != 0) rest.text();
        rest.text();
        const int units = rest.int32();
        for (int i = 0; i < units; ++i) {
            const unitRecord u = readUnitRecord(rest, map.width, map.height);
            float ux = u.x, uy = u.y;
            map.mapClass::handleMoveRequest(ux, uy, 16, 16);
            // An enemy placed by the record takes one step towards a player.
            Enemy enemy;
            enemy.initialise(u.x, u.y, u.direction, 0);
            delete enemy.getMoveRequest(40, 40);
            delete enemy.getBulletRequest();
        }
    } catch (const mapFault&) {
    }
    return 0;
}
