// Loading a 256 x 256 single-player map with 2000 scripted tiles (scripts
// inline) and one logic tick of move judging for 1024 bullets and 256
// units over it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <vector>

#include "../fuzz/map_fuzz_setup.h"
#include "app/constants.h"
#include "map/sp_map.h"
#include "script/virtual_machine.h"
#include "world/entity.h"

namespace {

constexpr int SIDE = 256;
constexpr int SCRIPTED_TILES = 2000;

// onEnter: inc %40; duringTouch: inc %41.
const unsigned char TILE_SCRIPT[] = {0x01, 0x01, 0x04, 0x0F, 0x28, 0xFE, 0x01, 0x04, 0x04, 0x0F, 0x29, 0xFE, 0xFF};

void put32(std::string& s, int32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(static_cast<uint32_t>(v) >> (8 * i)));
}

// Tiles 0 and 2 (floor and animated floor) with every 32nd tile scripted.
const std::string& mapFile() {
    static const std::string file = [] {
        mapfuzz::setUp();  // working directory with the tile set "t.dat"
        std::string s = {0, 6, 'A', 'S'};
        s += "t.dat\r";
        put32(s, SIDE);
        put32(s, SIDE);
        for (int i = 0; i < SIDE * SIDE; ++i) {
            s.push_back(static_cast<char>(i % 7 == 0 ? 2 : 0));
            const bool scripted = i % 32 == 0 && i / 32 < SCRIPTED_TILES;
            s.push_back(scripted ? 1 : 0);
            if (scripted) s.append(reinterpret_cast<const char*>(TILE_SCRIPT), sizeof TILE_SCRIPT);
        }
        return s;
    }();
    return file;
}

void loadMap(SPmapClass& map, VirtualMachine& vm) {
    std::istringstream in(mapFile());
    map.readMap(in, "maps/bench.kvm", 'S', vm, [&vm](bytecode& code) { vm.compute(code); });
}

void BM_LoadScriptedMap(benchmark::State& state) {
    mapFile();
    for (auto _ : state) {
        VirtualMachine vm;
        SPmapClass map;
        loadMap(map, vm);
        state.counters["scripted_tiles"] = static_cast<double>(map.events.size());
    }
}
BENCHMARK(BM_LoadScriptedMap)->Unit(benchmark::kMillisecond);

void BM_JudgeOneTick(benchmark::State& state) {
    VirtualMachine vm;
    SPmapClass map;
    loadMap(map, vm);
    std::vector<moveRequest> requests(1024 + 256);
    for (auto _ : state) {
        for (int i = 0; i < 1024 + 256; ++i) {
            const bool bullet = i < 1024;
            const float x = 16.0f + (i * 97) % (SIDE * 32 - 32), y = 16.0f + (i * 61) % (SIDE * 32 - 32);
            const facingOffset step = offsetAt(bullet ? 12 : 2, (i * 37) % 256);
            requests[i].set(x, y, x + static_cast<float>(step.dx), y + static_cast<float>(step.dy),
                            bullet ? (i % 4 == 0 ? SCRIPT_EXPLODE : 0) : SCRIPT_ENTER_LEAVE, bullet ? 2 : 1,
                            bullet ? 2 : 8);
            map.handleMoveRequest(&requests[i], vm, 0);
        }
        benchmark::DoNotOptimize(vm.variables[40]);
    }
}
BENCHMARK(BM_JudgeOneTick)->Unit(benchmark::kMicrosecond);

}  // namespace
