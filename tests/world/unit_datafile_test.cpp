#include "world/unit_datafile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "world/unit.h"
#include "world_fixtures.h"

using namespace worldtest;

namespace {

using bytes = std::vector<unsigned char>;

bytes operator+(bytes a, const bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
// `v` big-endian in `n` bytes.
bytes be(uint32_t v, int n = 4) {
    bytes out;
    for (int shift = 8 * (n - 1); shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
    return out;
}
bytes id(const char* s) { return bytes(s, s + 4); }
bytes object(const char* type, const bytes& data, bool compressed = false) {
    const auto size = static_cast<uint32_t>(data.size());
    return id(type) + be(size) + be(compressed ? 0u - size : size) + data;
}
bytes bitmap(int depth, int w, int h, int pixelBytes) {
    return be(depth, 2) + be(w, 2) + be(h, 2) + bytes(static_cast<std::size_t>(w * h * pixelBytes), 0x40);
}
// The start of a datafile stream after the pack magic.
bytes header(uint32_t objects) { return id("ALL.") + be(objects); }

}  // namespace

TEST(UnitDatafileCheck, AcceptsTheUnitStructureAndRefusesItsPrefixesAndBrokenObjects) {
    // Six 3 x 2 sprites and a named radius item.
    bytes unit = header(7);
    const int depths[] = {8, 15, 16, 24, 32, -32}, sizes[] = {1, 2, 2, 3, 3, 4};
    for (int i = 0; i < 6; i++) unit = unit + object("BMP ", bitmap(depths[i], 3, 2, sizes[i]));
    unit = unit + id("prop") + id("NAME") + be(2) + bytes{'R', '6'} + object("DATA", {5});
    for (std::size_t cut = 0; cut < unit.size(); cut++)
        ASSERT_FALSE(unitDatafileStreamIsSound(unit.data(), cut)) << cut;
    bytes many = header(UNIT_DATAFILE_MAX_OBJECTS + 1);
    for (int i = 0; i <= UNIT_DATAFILE_MAX_OBJECTS; i++) many = many + object("DATA", {1});
    const struct { const char* what; bytes stream; bool sound; } cases[] = {
        {"unit datafile", unit, true},
        {"bytes after the last object are not read", unit + bytes{0}, true},
        {"widest bitmap", header(1) + object("BMP ", bitmap(32, 4096, 1, 3)), true},
        {"bitmap too wide", header(1) + object("BMP ", bitmap(32, 4097, 1, 3)), false},
        {"bitmap without width", header(1) + object("BMP ", bitmap(32, 0, 5, 3)), false},
        {"unknown colour depth", header(1) + object("BMP ", bitmap(12, 2, 2, 2)), false},
        {"bitmap with bytes left over", header(1) + object("BMP ", bitmap(8, 2, 2, 1) + bytes{0}), false},
        {"object compressed on its own", header(1) + object("BMP ", bitmap(8, 2, 2, 1), true), false},
        {"info object", header(1) + object("info", {1, 2, 3}), true},
        {"font", header(1) + object("FONT", {1, 2, 3}), false},
        {"nested datafile", header(1) + object("FILE", {0, 0, 0, 0}), false},
        {"end marker as type", header(1) + object("\xff\xff\xff\xff", {}), false},
        {"no objects", header(0), false},
        {"too many objects", many, false},
        {"huge property", header(1) + id("prop") + id("NAME") + be(0xfffffff0u), false},
        // Allegro would lose (and leak) a property of type -1.
        {"property of type -1", header(1) + id("prop") + be(0xffffffffu) + be(0) + object("DATA", {1}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unitDatafileStreamIsSound(c.stream.data(), c.stream.size()), c.sound) << c.what;
}

TEST(UnitDatafileCheckDeathTest, MissingIncompleteOrTruncatedDatafileEndsWithError7) {
    scopedWorkDir dir;
    writeFileBytes("u6.raw", {5});
    ASSERT_EQ(std::system("dat -a -t DATA short.dat u6.raw >/dev/null"), 0);
    writeFileBytes("cut.dat", {'s', 'l', 'h', '.', 'A', 'L', 'L', '.', 0, 0, 0, 1, 6});
    for (const char* name : {"nothere.dat", "short.dat", "cut.dat"}) {
        EXPECT_EXIT(Unit().load(1, 1, 1, 0, name, 0, 0, 0), testing::ExitedWithCode(0),
                    std::string("Error007: Loading datafile \"") + name + "\" failed");
    }
}
