// Runs the mission checker over arbitrary bytes as a single-player map
// (maps/f.kvm) and as a multiplayer map (mpmaps/f.kvm), beside a tile set,
// a character set, a mission description and a script source that the
// bytes may name.
#include <cstdio>
#include <filesystem>

#include "game/mission_check.h"
#include "map_fuzz_setup.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mapfuzz::setUp();
    std::filesystem::create_directories("maps");
    std::filesystem::create_directories("mpmaps");
    mapfuzz::writeFile("c.txt", "", {'1', ' ', 'p', ' ', '3', ' ', '9', ' ', '0', ' ', '1', ' ', '1', ' ', '1', ' ',
                                     '1', ' ', '1', ' ', 't', '.', 'd', 'a', 't', ' ', '0', ' ', '0', '\n'});
    mapfuzz::writeFile("maps/f.kvd", "-Go\nTitle\n1 1\nText\n", {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<unsigned char> bytes(data, data + size);
    mapfuzz::writeFile("maps/f.kvm", "", bytes);
    mapfuzz::writeFile("mpmaps/f.kvm", "", bytes);
    checkMission("maps/f.kvm");
    checkMission("mpmaps/f.kvm");
    return 0;
}
