#include "map/tileset.h"

#include <allegro.h>

#include "app/constants.h"
#include "app/helpers.h"
#include "map/map_file.h"
#include "world/unit_datafile.h"

namespace {

class loadedDatafile {
public:
    explicit loadedDatafile(const std::string& name) : data(load_datafile(name.c_str())) {}
    ~loadedDatafile() {
        if (data) unload_datafile(data);
    }
    loadedDatafile(const loadedDatafile&) = delete;
    loadedDatafile& operator=(const loadedDatafile&) = delete;
    DATAFILE* data;
};

int itemCount(const DATAFILE* data) {
    int n = 0;
    while (data[n].type != DAT_END) ++n;
    return n;
}

}  // namespace

tilesetData readTileset(const std::string& name, bool withTable, const std::string& widthReason) {
    auto fail = [&](const std::string& reason) { throw mapFault{mapFault::kind::tileset, name, reason}; };
    if (!fileExists(name)) throw mapFault{mapFault::kind::datafile, name, ""};
    if (!unitDatafileIsSound(name)) fail("Damaged datafile");
    loadedDatafile file(name);
    if (!file.data) throw mapFault{mapFault::kind::datafile, name, ""};
    if (itemCount(file.data) < 2 || file.data[1].type != DAT_BITMAP) fail("Item 1 is not a bitmap");
    const BITMAP* source = static_cast<BITMAP*>(file.data[1].dat);
    if (source->w % TILESIZE != 0) fail(widthReason);
    tilesetData set;
    // The datafile check limits bitmaps to 4096 pixels: at most 128 tiles,
    // all reachable by the map format's signed tile bytes.
    set.count = source->w / TILESIZE;
    if (withTable) {
        const DATAFILE& table = file.data[0];
        if (table.type == DAT_BITMAP || table.size < 2L * set.count) fail("Tile data too short");
        const unsigned char* bytes = static_cast<const unsigned char*>(table.dat);
        set.solidity.assign(bytes, bytes + set.count);
        set.successor.assign(bytes + set.count, bytes + 2 * set.count);
        for (unsigned char next : set.successor)
            if (next >= set.count) fail("Animation successor out of range");
    }
    set.strip = createDatafileBitmap(file.data, 1);
    return set;
}
