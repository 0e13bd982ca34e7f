#include "world/unit_datafile.h"

#include <allegro.h>

#include <cstdint>

namespace {

// Reads big-endian fields from a byte range; every read past the end fails
// and leaves the reader failed.
class streamReader {
public:
    streamReader(const unsigned char* bytes, std::size_t size) : bytes(bytes), size(size) {}

    bool u32(uint32_t& out) {
        if (!has(4)) return false;
        out = uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
              bytes[at + 3];
        at += 4;
        return true;
    }
    bool i16(int& out) {
        if (!has(2)) return false;
        out = static_cast<int16_t>(uint16_t(bytes[at] << 8 | bytes[at + 1]));
        at += 2;
        return true;
    }
    bool skip(std::size_t n) {
        if (!has(n)) return false;
        at += n;
        return true;
    }
    std::size_t position() const { return at; }

private:
    bool has(std::size_t n) const { return n <= size - at; }
    const unsigned char* bytes;
    std::size_t size;
    std::size_t at = 0;
};

constexpr uint32_t id(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) << 24 | uint32_t(uint8_t(b)) << 16 | uint32_t(uint8_t(c)) << 8 | uint8_t(d);
}

constexpr uint32_t MAGIC = id('A', 'L', 'L', '.');
constexpr uint32_t END_ID = 0xffffffffu;  // ends Allegro's object and property lists
constexpr uint32_t PROPERTY = id('p', 'r', 'o', 'p');
constexpr uint32_t BITMAP_OBJECT = id('B', 'M', 'P', ' ');
// Object types that Allegro hands to a loader of their own; a unit
// datafile needs none of them.
constexpr uint32_t REFUSED_TYPES[] = {
    id('F', 'I', 'L', 'E'), id('F', 'O', 'N', 'T'), id('S', 'A', 'M', 'P'), id('M', 'I', 'D', 'I'),
    id('P', 'A', 'T', ' '), id('F', 'L', 'I', 'C'), id('R', 'L', 'E', ' '), id('C', 'M', 'P', ' '),
    id('X', 'C', 'M', 'P'), id('P', 'A', 'L', ' '), 0, END_ID};

bool isRefusedType(uint32_t type) {
    for (uint32_t refused : REFUSED_TYPES)
        if (type == refused) return true;
    return false;
}
constexpr int BITMAP_HEADER = 6;

// Bytes per pixel of a bitmap object's colour depth, 0 for none.
int pixelBytes(int depth) {
    switch (depth) {
        case 8: return 1;
        case 15:
        case 16: return 2;
        case 24:
        case 32: return 3;
        case -32: return 4;
        default: return 0;
    }
}

bool bitmapIsSound(const unsigned char* data, std::size_t size) {
    streamReader in(data, size);
    int depth = 0, w = 0, h = 0;
    if (!in.i16(depth) || !in.i16(w) || !in.i16(h)) return false;
    if (pixelBytes(depth) == 0 || w < 1 || h < 1 || w > UNIT_SPRITE_MAX_SIDE || h > UNIT_SPRITE_MAX_SIDE) return false;
    return size == BITMAP_HEADER + std::size_t(w) * std::size_t(h) * std::size_t(pixelBytes(depth));
}

}  // namespace

bool unitDatafileStreamIsSound(const unsigned char* stream, std::size_t size) {
    streamReader in(stream, size);
    uint32_t magic = 0, count = 0;
    if (!in.u32(magic) || magic != MAGIC || !in.u32(count)) return false;
    if (count < 1 || count > UNIT_DATAFILE_MAX_OBJECTS) return false;
    for (uint32_t object = 0; object < count; object++) {
        uint32_t type = 0;
        if (!in.u32(type)) return false;
        while (type == PROPERTY) {
            uint32_t propertyType = 0, propertySize = 0;
            if (!in.u32(propertyType) || propertyType == 0 || propertyType == END_ID || !in.u32(propertySize) ||
                propertySize > INT32_MAX || !in.skip(propertySize) || !in.u32(type))
                return false;
        }
        uint32_t chunk = 0, unpacked = 0;
        if (!in.u32(chunk) || !in.u32(unpacked) || chunk != unpacked || chunk > INT32_MAX) return false;
        const std::size_t start = in.position();
        if (!in.skip(chunk)) return false;
        if (type == BITMAP_OBJECT) {
            if (!bitmapIsSound(stream + start, chunk)) return false;
        } else if (isRefusedType(type)) {
            return false;
        }
    }
    return true;
}

bool unitDatafileIsSound(const std::string& file) {
    PACKFILE* f = pack_fopen(file.c_str(), F_READ_PACKED);
    if (!f) return false;
    std::vector<unsigned char> stream;
    constexpr long BLOCK = 1 << 16;
    while (stream.size() <= UNIT_DATAFILE_MAX_BYTES) {
        const std::size_t had = stream.size();
        stream.resize(had + BLOCK);
        const long got = pack_fread(stream.data() + had, BLOCK, f);
        stream.resize(had + (got > 0 ? got : 0));
        if (got < BLOCK) break;
    }
    pack_fclose(f);
    return stream.size() <= UNIT_DATAFILE_MAX_BYTES && unitDatafileStreamIsSound(stream.data(), stream.size());
}
