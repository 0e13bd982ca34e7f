#include "map/map_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/constants.h"
#include "app/errors.h"
#include "script/instruction_reader.h"

void reportMapFault(const mapFault& fault) {
    switch (fault.type) {
    case mapFault::kind::map: errors::mapLoadError(fault.subject, fault.reason);
    case mapFault::kind::tileset: errors::tilesetLoadError(fault.subject, fault.reason);
    case mapFault::kind::datafile: errors::datafileError(fault.subject);
    case mapFault::kind::script: errors::scriptError(fault.reason);
    case mapFault::kind::editor: errors::editorError(fault.reason);
    case mapFault::kind::fatal: break;
    }
    errors::fatalError(fault.reason);
}

void mapFileReader::fail(const std::string& reason) const { throw mapFault{mapFault::kind::map, name, reason}; }

int mapFileReader::byte() {
    int c = in.get();
    if (c == std::char_traits<char>::eof()) fail("Unexpected end of file");
    return c;
}

int mapFileReader::signedByte() { return static_cast<signed char>(static_cast<unsigned char>(byte())); }

int32_t mapFileReader::int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
    return static_cast<int32_t>(v);
}

float mapFileReader::float32() {
    uint32_t bits = static_cast<uint32_t>(int32());
    float f = 0;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::string mapFileReader::text() {
    std::string s;
    for (int c = byte(); c != static_cast<unsigned char>(DELIMITER); c = byte()) {
        if (static_cast<int>(s.size()) + 1 >= TEXT_LIMIT) fail("Text field too long");
        s.push_back(static_cast<char>(c));
    }
    return s;
}

std::vector<unsigned char> mapFileReader::script(int limit) {
    // The end of a script is found by decoding its instructions, so that an
    // operand byte 0xFF (the constant -1, say) doesn't end it. All the bytes
    // the script may take are read at once: an instruction cut off at the
    // end of a partial read could only be skipped over by a byte scan, which
    // takes the 0xFE of a constant such as -2 for an event end. The stream
    // is then put back just after the closing 0xFF.
    const std::streampos start = in.tellg();
    std::vector<unsigned char> bytes(static_cast<std::size_t>(limit));
    in.read(reinterpret_cast<char*>(bytes.data()), limit);
    const int got = static_cast<int>(in.gcount());
    bytes.resize(static_cast<std::size_t>(got));
    const int end = findScriptEnd(bytes.data(), got);
    if (end > 0) {
        bytes.resize(static_cast<std::size_t>(end));
        in.clear();
        in.seekg(start + static_cast<std::streamoff>(end));
        return bytes;
    }
    if (got == limit) throw mapFault{mapFault::kind::script, name, "Script too big"};
    // The file ended inside the script.
    if (std::find(bytes.begin(), bytes.end(), 0xFF) == bytes.end()) fail("Unexpected end of file");
    throw mapFault{mapFault::kind::script, name, "Damaged compiled script!"};
}

void mapFileReader::version() {
    const int major = byte(), minor = byte(), letter = byte();
    if (major != MAJOR_VERSION || minor != MINOR_VERSION || letter != VERSION_LETTER) fail("Version mismatch");
}

void mapFileReader::size(int& width, int& height) {
    width = int32();
    height = int32();
    if (width < 1 || height < 1 || width > MAP_MAX_SIDE || height > MAP_MAX_SIDE) fail("Invalid map size");
}

char mapFileReader::tile(int tileCount) {
    const int t = signedByte();
    if (t < 0 || t >= tileCount) fail("Invalid tile number");
    return static_cast<char>(t);
}

void checkUnitPosition(const mapFileReader& in, float x, float y, int width, int height) {
    const auto within = [](float v, int tiles) {
        return std::isfinite(v) && v >= -TILESIZE && v <= static_cast<float>(tiles + 1) * TILESIZE;
    };
    if (!within(x, width) || !within(y, height)) in.fail("Invalid unit position");
}

unitRecord readUnitRecord(mapFileReader& in, int width, int height) {
    unitRecord u;
    u.type = in.signedByte();
    u.x = in.float32();
    u.y = in.float32();
    checkUnitPosition(in, u.x, u.y, width, height);
    u.direction = in.byte();
    u.state = in.signedByte();
    u.scriptMode = in.byte();
    if (u.scriptMode == SCRIPT_COMPILED) u.script = in.script(SCRIPT_LIMIT);
    if (u.scriptMode == SCRIPT_SOURCE) u.scriptPath = in.text();
    return u;
}

void mapFileWriter::int32(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>(v >> (8 * i)));
}

void mapFileWriter::float32(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    int32(static_cast<int32_t>(bits));
}

void mapFileWriter::text(const std::string& value) {
    out.write(value.data(), static_cast<std::streamsize>(value.size()));
    out.put(DELIMITER);
}

void mapFileWriter::bytes(const unsigned char* data, int count) {
    out.write(reinterpret_cast<const char*>(data), count);
}

void mapFileWriter::version() {
    byte(MAJOR_VERSION);
    byte(MINOR_VERSION);
    byte(VERSION_LETTER);
}
