// Feeds arbitrary bytes as the stream of a tile set datafile: the reader
// must refuse it with a tile set or datafile error or take a consistent
// set from it.
#include "map/map_file.h"
#include "map/tileset.h"
#include "map_fuzz_setup.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mapfuzz::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mapfuzz::writeFile("fuzz.dat", "slh.", std::vector<unsigned char>(data, data + size));
    for (bool withTable : {true, false}) {
        try {
            tilesetData set = readTileset("fuzz.dat", withTable, "Each tile has to be 32 pixels wide");
            if (set.count < 1 || set.strip->w != set.count * 32) std::abort();
            if (withTable && (set.solidity.size() != static_cast<size_t>(set.count) ||
                              set.successor.size() != static_cast<size_t>(set.count)))
                std::abort();
            for (unsigned char next : set.successor)
                if (next >= set.count) std::abort();
            destroy_bitmap(set.strip);
        } catch (const mapFault& fault) {
            if (fault.type != mapFault::kind::tileset && fault.type != mapFault::kind::datafile) std::abort();
        }
    }
    return 0;
}
