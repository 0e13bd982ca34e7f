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

// Six 3 x 2 sprites and a named radius item.
bytes unitStream() {
    bytes s;
    putId(s, "ALL.");
    put32(s, 7);
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
    const auto single = [](const char* type, const bytes& data, bool compressed = false) {
        bytes s;
        putId(s, "ALL.");
        put32(s, 1);
        putObject(s, type, data, compressed);
        return sound(s);
    };
    EXPECT_TRUE(single("BMP ", bitmapData(32, 4096, 1, 3)));
    EXPECT_FALSE(single("BMP ", bitmapData(32, 4097, 1, 3)));
    EXPECT_FALSE(single("BMP ", bitmapData(32, 0, 5, 3)));
    EXPECT_FALSE(single("BMP ", bitmapData(12, 2, 2, 2)));
    bytes longer = bitmapData(8, 2, 2, 1);
    longer.push_back(0);
    EXPECT_FALSE(single("BMP ", longer));
    EXPECT_FALSE(single("BMP ", bitmapData(8, 2, 2, 1), true));
    EXPECT_TRUE(single("info", {1, 2, 3}));
    EXPECT_FALSE(single("FONT", {1, 2, 3}));
    EXPECT_FALSE(single("FILE", {0, 0, 0, 0}));
    EXPECT_FALSE(single("\xff\xff\xff\xff", {}));

    bytes counts;
    putId(counts, "ALL.");
    put32(counts, 0);
    EXPECT_FALSE(sound(counts));
    bytes many;
    putId(many, "ALL.");
    put32(many, UNIT_DATAFILE_MAX_OBJECTS + 1);
    for (int i = 0; i <= UNIT_DATAFILE_MAX_OBJECTS; i++) putObject(many, "DATA", {1});
    EXPECT_FALSE(sound(many));

    bytes hugeProperty;
    putId(hugeProperty, "ALL.");
    put32(hugeProperty, 1);
    putId(hugeProperty, "prop");
    putId(hugeProperty, "NAME");
    put32(hugeProperty, 0xfffffff0u);
    EXPECT_FALSE(sound(hugeProperty));

    // A property of type -1 would be lost (and leaked) by Allegro.
    bytes endProperty;
    putId(endProperty, "ALL.");
    put32(endProperty, 1);
    putId(endProperty, "prop");
    put32(endProperty, 0xffffffffu);
    put32(endProperty, 0);
    putObject(endProperty, "DATA", {1});
    EXPECT_FALSE(sound(endProperty));
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

TEST(UnitDatafileCheckDeathTest, ATruncatedDatafileEndsWithError7) {
    scopedWorkDir dir;
    writeFileBytes("cut.dat", {'s', 'l', 'h', '.', 'A', 'L', 'L', '.', 0, 0, 0, 1, 6});
    Unit type;
    EXPECT_EXIT(type.load(1, 1, 1, 0, "cut.dat", 0, 0, 0), testing::ExitedWithCode(0),
                "Error007: Loading datafile \"cut.dat\" failed");
}
