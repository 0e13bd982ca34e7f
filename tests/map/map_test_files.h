// Builders for the files map tests read: tile set datafiles made byte by
// byte (so that sizes and tables are exact) and map files field by field.
// Free of the test support library, so that the fuzz targets can use it too.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/constants.h"

namespace maptest {

using bytes = std::vector<unsigned char>;

// v as n big-endian bytes.
inline void putBig(bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
inline void putTag(bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }
inline void writeBytes(const std::string& name, const bytes& b) {
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
}

// The colour of tile t in test strips.
inline int tileColour(int t) { return makecol(10 + 20 * t, 100, 200); }

// An uncompressed Allegro datafile: item 0 the raw table, item 1 a 32-bit
// strip of stripWidth x 32 pixels, each 32-pixel column in its tile's colour.
inline bytes tilesetDatafile(const bytes& table, int stripWidth) {
    bytes b;
    for (const char* tag : {"slh.", "ALL."}) putTag(b, tag);
    putBig(b, 2, 4);
    putTag(b, "DATA");
    for (int i = 0; i < 2; ++i) putBig(b, table.size(), 4);
    b.insert(b.end(), table.begin(), table.end());
    putTag(b, "BMP ");
    for (int i = 0; i < 2; ++i) putBig(b, 6 + 3u * stripWidth * 32, 4);
    for (int v : {32, stripWidth, 32}) putBig(b, v, 2);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < stripWidth; ++x)
            b.insert(b.end(), {static_cast<unsigned char>(10 + 20 * (x / 32)), 100, 200});
    return b;
}

// Writes a tile set of the given solidity and successors (as many tiles
// as entries) to name.
inline void writeTileset(const std::string& name, const std::vector<int>& solidity,
                         const std::vector<int>& successors) {
    bytes table(solidity.begin(), solidity.end());
    table.insert(table.end(), successors.begin(), successors.end());
    writeBytes(name, tilesetDatafile(table, 32 * static_cast<int>(solidity.size())));
}

// Map file bytes, field by field.
class mapBytes {
public:
    bytes b;
    mapBytes& byte(int v) {
        b.push_back(static_cast<unsigned char>(v));
        return *this;
    }
    mapBytes& int32(int32_t v) {
        for (int i = 0; i < 4; ++i) byte(static_cast<uint32_t>(v) >> (8 * i));
        return *this;
    }
    mapBytes& float32(float f) {
        uint32_t v = 0;
        std::memcpy(&v, &f, 4);
        return int32(static_cast<int32_t>(v));
    }
    mapBytes& text(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return byte(DELIMITER);
    }
    mapBytes& raw(const bytes& more) {
        b.insert(b.end(), more.begin(), more.end());
        return *this;
    }
    // Fields 1 to 7.
    mapBytes& header(char type, const std::string& tileset, int width, int height) {
        return byte(0).byte(6).byte('A').byte(type).text(tileset).int32(width).int32(height);
    }
    // width x height tiles of tile 0 without scripts.
    mapBytes& plainTiles(int count, int tile = 0) {
        for (int i = 0; i < count; ++i) byte(tile).byte(0);
        return *this;
    }
    std::string str() const { return std::string(b.begin(), b.end()); }
    void write(const std::string& name) const { writeBytes(name, b); }
};

}  // namespace maptest
