// The map file (".kvm"): one bounded reader and one writer for every part
// of the program that reads or writes maps.
//
// Layout (integers little-endian, 32-bit signed unless stated; a text is
// its bytes followed by DELIMITER, byte 13, which is not part of it):
//   1  major version   1 byte   MAJOR_VERSION (0)
//   2  minor version   1 byte   MINOR_VERSION (6)
//   3  version letter  1 byte   VERSION_LETTER ('A')
//   4  map type        1 byte   'S' single-player, anything else multiplayer
//   5  tile set name   text
//   6  width           int32    tile columns, 1 to MAP_MAX_SIDE
//   7  height          int32    tile rows, 1 to MAP_MAX_SIDE
//   8  tile records    width x height, row by row:
//        tile          1 byte, signed: 0 to tile set count - 1
//        script mode   1 byte: 0 none; 1 compiled script follows;
//                      2 script source path follows as a text
//   9  global flag     1 byte; non-zero: a compiled script follows
//  10  campaign flag   1 byte; non-zero: the campaign text name follows
//  11  character set   text
//  12  unit count      int32
//  13  unit records:   type (1 byte, signed), x, y (IEEE float32),
//                      direction (1 byte), state (1 byte, signed),
//                      script mode and script as for tiles
// A compiled script is read by its instruction layout (instruction_reader.h)
// up to its closing 0xFF: at most SCRIPT_LIMIT bytes for a tile or a unit,
// GLOBAL_SCRIPT_LIMIT for the global script.
//
// Limits that the format itself leaves open: each side at most
// MAP_MAX_SIDE tiles (16M tiles, as the map creator writes at most), and a
// text must end within TEXT_LIMIT bytes. Every failure is thrown as a
// mapFault; the loaders report it through errors:: and end the program.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

constexpr int MAP_MAX_SIDE = 4096;
constexpr int TEXT_LIMIT = 1024;
constexpr int SCRIPT_LIMIT = 1024;
constexpr int GLOBAL_SCRIPT_LIMIT = 2048;
constexpr char SINGLE_PLAYER_TYPE = 'S';

enum scriptMode { SCRIPT_NONE = 0, SCRIPT_COMPILED = 1, SCRIPT_SOURCE = 2 };

// Why a map, a tile set or a script in a map can't be used; subject names
// the map or tile set file.
struct mapFault {
    enum class kind { map, tileset, datafile, script, editor, fatal };
    kind type;
    std::string subject;
    std::string reason;
};

// Reports the fault through the matching numbered error; the program ends.
[[noreturn]] void reportMapFault(const mapFault& fault);

class mapFileReader {
public:
    mapFileReader(std::istream& in, std::string name) : in(in), name(std::move(name)) {}

    int byte();                 // 0 to 255
    int signedByte();           // -128 to 127
    int32_t int32();
    float float32();
    std::string text();         // up to DELIMITER, within TEXT_LIMIT bytes
    // A compiled script of at most limit bytes, its closing 0xFF included.
    std::vector<unsigned char> script(int limit);

    // Fields 1 to 3; anything but 0, 6, 'A' is "Version mismatch".
    void version();
    // Fields 6 and 7, each 1 to MAP_MAX_SIDE, else "Invalid map size".
    void size(int& width, int& height);
    // A tile number 0 to tileCount - 1, else "Invalid tile number".
    char tile(int tileCount);

    [[noreturn]] void fail(const std::string& reason) const;
    const std::string& fileName() const { return name; }

private:
    std::istream& in;
    std::string name;
};

// One unit record (field 13) of a map of width x height tiles. The
// direction byte reads as 0 to 255, the facing a unit keeps. The script is
// read by its mode: compiled bytes for 1, the source path for 2, nothing for
// any other mode.
struct unitRecord {
    int type = 0;
    float x = 0;
    float y = 0;
    int direction = 0;
    int state = 0;
    int scriptMode = SCRIPT_NONE;
    std::vector<unsigned char> script;
    std::string scriptPath;
};
unitRecord readUnitRecord(mapFileReader& in, int width, int height);

// A unit's position must be a finite point on the map of width x height
// tiles or at most one tile (TILESIZE pixels) beyond its edges; anything
// else fails with "Invalid unit position", before it can reach a
// float-to-int conversion.
void checkUnitPosition(const mapFileReader& in, float x, float y, int width, int height);

class mapFileWriter {
public:
    explicit mapFileWriter(std::ostream& out) : out(out) {}
    void byte(int value) { out.put(static_cast<char>(value)); }
    void int32(int32_t value);
    void float32(float value);
    void text(const std::string& value);
    void bytes(const unsigned char* data, int count);
    // Fields 1 to 3.
    void version();

private:
    std::ostream& out;
};
