// Feeds arbitrary bytes to the settings reader; every field it keeps must
// lie inside its valid range.
#include <allegro.h>

#include <cstdlib>

#include "app/globals.h"
#include "app/input.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    globals g;
    g.setDefaults(16);
    g.fromBytes(data, size);
    const bool valid = (g.mode == 1 || g.mode == 2) && (g.vsync == 0 || g.vsync == 1) && g.maxFrameSkip >= 1 &&
                       (g.videoBitmaps == 0 || g.videoBitmaps == 1) && (g.colorDepth == 16 || g.colorDepth == 32) &&
                       (g.complexSfx == 0 || g.complexSfx == 1) && g.screenshotNumber >= 0;
    if (!valid) std::abort();
    for (int k : g.keys)
        if (!isKeyCode(k)) std::abort();
    unsigned char record[SETTINGS_SIZE];
    g.toBytes(record);
    return 0;
}
