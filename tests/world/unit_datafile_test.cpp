#include "world/unit_datafile.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "world/unit.h"
#include "world_fixtures.h"

using namespace worldtest;

namespace {

using bytes = std::vector<unsigned char>;

void put32(bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}
void put16(bytes& out, int v) {
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}
void putId(bytes& out, const char* id) { out.insert(out.end(), id, id + 4); }

void putObject(bytes& out, const char* type, const bytes& data, bool compressed = false) {
    putId(out, type);
    put32(out, static_cast<uint32_t>(data.size()));
    put32(out, compressed ? static_cast<uint32_t>(-static_cast<int>(data.size())) : static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

bytes bitmapData(int depth, int w, int h, int pixelBytes) {
    bytes data;
    put16(data, depth);
    put16(data, w);
    put16(data, h);
    data.insert(data.end(), static_cast<std::size_t>(w * h * pixelBytes), 0x40);
    return data;
}

// The start of a datafile stream after the pack magic.
bytes header(uint32_t objects) {
    bytes s;
    putId(s, "ALL.");
    put32(s, objects);
    return s;
}

// Six 3 x 2 sprites and a named radius item.
bytes unitStream() {
    bytes s = header(7);
    const int depths[] = {8, 15, 16, 24, 32, -32};
    const int sizes[] = {1, 2, 2, 3, 3, 4};
    for (int i = 0; i < 6; i++) putObject(s, "BMP ", bitmapData(depths[i], 3, 2, sizes[i]));
    putId(s, "prop");
    putId(s, "NAME");
    put32(s, 2);
    s.push_back('R');
    s.push_back('6');
    putObject(s, "DATA", {5});
    return s;
}

bool sound(const bytes& s) { return unitDatafileStreamIsSound(s.data(), s.size()); }

}  // namespace

TEST(UnitDatafileCheck, AcceptsTheUnitStructureAndNoPrefixOfIt) {
    bytes s = unitStream();
    EXPECT_TRUE(sound(s));
    for (std::size_t cut = 0; cut < s.size(); cut++)
        ASSERT_FALSE(unitDatafileStreamIsSound(s.data(), cut)) << cut;
    s.push_back(0);
    EXPECT_TRUE(sound(s));  // bytes after the last object are not read
}

TEST(UnitDatafileCheck, RefusesBrokenObjects) {
    bytes longer = bitmapData(8, 2, 2, 1);
    longer.push_back(0);
    const struct {
        const char* what;
        const char* type;
        bytes data;
        bool compressed, sound;
    } cases[] = {
        {"widest bitmap", "BMP ", bitmapData(32, 4096, 1, 3), false, true},
        {"bitmap too wide", "BMP ", bitmapData(32, 4097, 1, 3), false, false},
        {"bitmap without width", "BMP ", bitmapData(32, 0, 5, 3), false, false},
        {"unknown colour depth", "BMP ", bitmapData(12, 2, 2, 2), false, false},
        {"bitmap with bytes left over", "BMP ", longer, false, false},
        {"object compressed on its own", "BMP ", bitmapData(8, 2, 2, 1), true, false},
        {"info object", "info", {1, 2, 3}, false, true},
        {"font", "FONT", {1, 2, 3}, false, false},
        {"nested datafile", "FILE", {0, 0, 0, 0}, false, false},
        {"end marker as type", "\xff\xff\xff\xff", {}, false, false},
    };
    for (const auto& c : cases) {
        bytes s = header(1);
        putObject(s, c.type, c.data, c.compressed);
        EXPECT_EQ(sound(s), c.sound) << c.what;
    }

    EXPECT_FALSE(sound(header(0))) << "no objects";
    bytes many = header(UNIT_DATAFILE_MAX_OBJECTS + 1);
    for (int i = 0; i <= UNIT_DATAFILE_MAX_OBJECTS; i++) putObject(many, "DATA", {1});
    EXPECT_FALSE(sound(many)) << "too many objects";

    bytes hugeProperty = header(1);
    putId(hugeProperty, "prop");
    putId(hugeProperty, "NAME");
    put32(hugeProperty, 0xfffffff0u);
    EXPECT_FALSE(sound(hugeProperty)) << "huge property";

    // A property of type -1 would be lost (and leaked) by Allegro.
    bytes endProperty = header(1);
    putId(endProperty, "prop");
    put32(endProperty, 0xffffffffu);
    put32(endProperty, 0);
    putObject(endProperty, "DATA", {1});
    EXPECT_FALSE(sound(endProperty)) << "property of type -1";
}

TEST(UnitDatafileCheck, ReadsPlainAndCompressedFiles) {
    scopedWorkDir dir;
    ASSERT_TRUE(writeUnitDatafile("plain.dat", 4));
    EXPECT_TRUE(unitDatafileIsSound("plain.dat"));
    ASSERT_EQ(std::system("dat -a -c2 -bpp 32 -t BMP whole.dat u0.bmp u1.bmp >/dev/null"), 0);
    EXPECT_TRUE(unitDatafileIsSound("whole.dat"));
    ASSERT_EQ(std::system("dat -a -c1 -bpp 32 -t BMP each.dat u0.bmp u1.bmp >/dev/null"), 0);
    EXPECT_FALSE(unitDatafileIsSound("each.dat"));
    EXPECT_FALSE(unitDatafileIsSound("missing.dat"));
    writeFileText("text.dat", "not a datafile");
    EXPECT_FALSE(unitDatafileIsSound("text.dat"));
}

TEST(UnitDatafileCheckDeathTest, MissingIncompleteOrTruncatedDatafileEndsWithError7) {
    scopedWorkDir dir;
    writeFileBytes("u6.raw", {5});
    ASSERT_EQ(std::system("dat -a -t DATA short.dat u6.raw >/dev/null"), 0);
    writeFileBytes("cut.dat", {'s', 'l', 'h', '.', 'A', 'L', 'L', '.', 0, 0, 0, 1, 6});
    for (const char* name : {"nothere.dat", "short.dat", "cut.dat"}) {
        Unit type;
        EXPECT_EXIT(type.load(1, 1, 1, 0, name, 0, 0, 0), testing::ExitedWithCode(0),
                    std::string("Error007: Loading datafile \"") + name + "\" failed");
    }
}
