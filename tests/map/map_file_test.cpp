#include "map/map_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "map/multiplayer_map.h"
#include "map_test_files.h"

using maptest::bytes;
using maptest::mapBytes;

namespace {

std::string reasonOf(const std::string& data, void (*read)(mapFileReader&)) {
    std::istringstream in(data);
    mapFileReader reader(in, "maps/x.kvm");
    try {
        read(reader);
    } catch (const mapFault& fault) {
        return fault.reason;
    }
    return "";
}

// `set %40 -1` in onUse: the constant's bytes are 0xFF and don't end it.
const bytes SCRIPT_WITH_MINUS_ONE = {0x01, 0x07, 0x03, 0x0F, 0x28, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF};

// A script of exactly n bytes: one onLoad event of `msg` text padding.
bytes scriptOfSize(int n) {
    bytes s = {0x01, 0x06, 0x0A};
    while (static_cast<int>(s.size()) < n - 3) s.push_back('x');
    s.insert(s.end(), {0x00, 0xFE, 0xFF});
    return s;
}

}  // namespace

TEST(MapFileReader, ReadsLittleEndianFieldsAndTexts) {
    std::istringstream in(mapBytes().int32(-2).float32(312.5f).byte(0xF0).text("data/t.dat").text("").str());
    mapFileReader r(in, "m");
    EXPECT_EQ(r.int32(), -2);
    EXPECT_EQ(r.float32(), 312.5f);
    EXPECT_EQ(r.signedByte(), -16);
    EXPECT_EQ(r.text(), "data/t.dat");
    EXPECT_EQ(r.text(), "");
}

TEST(MapFileReader, RefusesTruncatedFieldsAndOverlongTexts) {
    auto int32 = [](mapFileReader& r) { r.int32(); };
    auto text = [](mapFileReader& r) { r.text(); };
    EXPECT_EQ(reasonOf(std::string("\x01\x02\x03", 3), int32), "Unexpected end of file");
    EXPECT_EQ(reasonOf("no delimiter", text), "Unexpected end of file");
    EXPECT_EQ(reasonOf(std::string(1023, 'a') + "\r", text), "");
    EXPECT_EQ(reasonOf(std::string(1024, 'a') + "\r", text), "Text field too long");
}

TEST(MapFileReader, ChecksVersionSizeAndTileNumbers) {
    auto version = [](mapFileReader& r) { r.version(); };
    auto size = [](mapFileReader& r) {
        int w = 0, h = 0;
        r.size(w, h);
    };
    auto tile = [](mapFileReader& r) { r.tile(3); };
    EXPECT_EQ(reasonOf(mapBytes().byte(0).byte(6).byte('A').str(), version), "");
    EXPECT_EQ(reasonOf(mapBytes().byte(0).byte(6).byte('B').str(), version), "Version mismatch");
    EXPECT_EQ(reasonOf(mapBytes().int32(4096).int32(4096).str(), size), "");
    EXPECT_EQ(reasonOf(mapBytes().int32(4097).int32(1).str(), size), "Invalid map size");
    EXPECT_EQ(reasonOf(mapBytes().int32(1).int32(0).str(), size), "Invalid map size");
    EXPECT_EQ(reasonOf(mapBytes().int32(-5).int32(3).str(), size), "Invalid map size");
    EXPECT_EQ(reasonOf(mapBytes().byte(2).str(), tile), "");
    EXPECT_EQ(reasonOf(mapBytes().byte(3).str(), tile), "Invalid tile number");
    EXPECT_EQ(reasonOf(mapBytes().byte(0x80).str(), tile), "Invalid tile number");
}

TEST(MapFileReader, ReadsAScriptByItsInstructionsAndLeavesTheRest) {
    std::istringstream in(mapBytes().raw(SCRIPT_WITH_MINUS_ONE).byte(0x42).str());
    mapFileReader r(in, "m");
    EXPECT_EQ(r.script(SCRIPT_LIMIT), SCRIPT_WITH_MINUS_ONE);
    EXPECT_EQ(r.byte(), 0x42);
}

TEST(MapFileReader, ScriptLimitIsInclusive) {
    for (int limit : {SCRIPT_LIMIT, GLOBAL_SCRIPT_LIMIT}) {
        std::istringstream fits(mapBytes().raw(scriptOfSize(limit)).byte(7).str());
        mapFileReader r(fits, "m");
        EXPECT_EQ(static_cast<int>(r.script(limit).size()), limit);
        EXPECT_EQ(r.byte(), 7);
        std::istringstream over(mapBytes().raw(scriptOfSize(limit + 1)).str());
        mapFileReader big(over, "m");
        try {
            big.script(limit);
            ADD_FAILURE() << "a script of " << limit + 1 << " bytes was accepted";
        } catch (const mapFault& fault) {
            EXPECT_EQ(fault.type, mapFault::kind::script);
            EXPECT_EQ(fault.reason, "Script too big");
        }
    }
}

// Scripts that fill the whole limit with `set %51 -2` (03 0F 33 10 FE FF FF
// FF) after a `msg` of `shift` characters: over the shifts, the constant's
// end-like bytes lie at every offset of every power-of-two boundary.
TEST(MapFileReader, NegativeConstantsAtEveryOffsetDontEndAScript) {
    for (int limit : {SCRIPT_LIMIT, GLOBAL_SCRIPT_LIMIT}) {
        for (int shift = 0; shift < 8; ++shift) {
            bytes script = {0x01, 0x07, 0x0A};
            script.insert(script.end(), shift, 'a');
            script.push_back(0x00);
            while (static_cast<int>(script.size()) + 8 + 2 <= limit)
                script.insert(script.end(), {0x03, 0x0F, 0x33, 0x10, 0xFE, 0xFF, 0xFF, 0xFF});
            script.insert(script.end(), {0xFE, 0xFF});
            std::istringstream in(mapBytes().raw(script).byte(0x42).str());
            mapFileReader r(in, "m");
            EXPECT_EQ(r.script(limit), script) << "limit " << limit << ", shift " << shift;
            EXPECT_EQ(r.byte(), 0x42) << "limit " << limit << ", shift " << shift;
        }
    }
}

TEST(MapFileReader, RefusesCutAndDamagedScripts) {
    auto script = [](mapFileReader& r) { r.script(SCRIPT_LIMIT); };
    EXPECT_EQ(reasonOf(mapBytes().raw({0x01, 0x06, 0x0B}).str(), script), "Unexpected end of file");
    // The 0xFF of a cut constant is no script end.
    EXPECT_EQ(reasonOf(mapBytes().raw({0x01, 0x06, 0x03, 0x0F, 0x28, 0x10, 0xFF}).str(), script),
              "Damaged compiled script!");
    EXPECT_EQ(reasonOf(mapBytes().raw({0xFF}).str(), script), "");
}

TEST(MapFileReader, ReadsUnitRecordsByScriptMode) {
    std::istringstream in(mapBytes()
                              .byte(3).float32(40.5f).float32(-2.0f).byte(0xC0).byte(2).byte(1)
                              .raw(SCRIPT_WITH_MINUS_ONE)
                              .byte(0).float32(1).float32(2).byte(0).byte(0).byte(2).text("scripts/a.ukv")
                              .byte(9).float32(0).float32(0).byte(0).byte(0).byte(7)
                              .str());
    mapFileReader r(in, "m");
    const unitRecord a = readUnitRecord(r, 2, 2), b = readUnitRecord(r, 2, 2), c = readUnitRecord(r, 2, 2);
    EXPECT_EQ(a.type, 3);
    EXPECT_EQ(a.x, 40.5f);
    EXPECT_EQ(a.y, -2.0f);
    EXPECT_EQ(a.direction, 192);
    EXPECT_EQ(a.state, 2);
    EXPECT_EQ(a.script, SCRIPT_WITH_MINUS_ONE);
    EXPECT_EQ(b.scriptMode, SCRIPT_SOURCE);
    EXPECT_EQ(b.scriptPath, "scripts/a.ukv");
    EXPECT_EQ(c.scriptMode, 7);
    EXPECT_TRUE(c.script.empty() && c.scriptPath.empty());
}

TEST(MapFileReader, RefusesUnitsOffTheMapByMoreThanATile) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct row {
        const char* what;
        float x, y;
        bool taken;
    } rows[] = {
        {"inside", 40, 70, true},
        {"one tile out on every side", -32, 3 * 32 + 32, true},
        {"one tile out, right and top", 2 * 32 + 32, -32, true},
        {"left", -32.01f, 0, false},
        {"right", 2 * 32 + 32.01f, 0, false},
        {"top", 0, -33, false},
        {"bottom", 0, 3 * 32 + 33, false},
        {"far away", 1e30f, 5, false},
        {"not a number", nan, 5, false},
        {"infinite", 5, -inf, false},
    };
    for (const row& r : rows) {
        const std::string unit = mapBytes().byte(0).float32(r.x).float32(r.y).byte(0).byte(0).byte(0).str();
        EXPECT_EQ(reasonOf(unit, [](mapFileReader& in) { readUnitRecord(in, 2, 3); }),
                  r.taken ? "" : "Invalid unit position")
            << r.what;
        const std::string spawn = mapBytes().byte(0).byte(0).text("c").int32(1).raw(bytes(unit.begin(), unit.end())).str();
        EXPECT_EQ(reasonOf(spawn, [](mapFileReader& in) { readSpawnPoints(in, 2, 3); }),
                  r.taken ? "" : "Invalid unit position")
            << r.what << " (spawn point)";
    }
}

TEST(MapFileWriter, WritesWhatTheReaderReads) {
    std::ostringstream out;
    mapFileWriter w(out);
    w.version();
    w.int32(-7);
    w.float32(-0.25f);
    w.text("chars.txt");
    std::istringstream in(out.str());
    mapFileReader r(in, "m");
    r.version();
    EXPECT_EQ(r.int32(), -7);
    EXPECT_EQ(r.float32(), -0.25f);
    EXPECT_EQ(r.text(), "chars.txt");
}

TEST(MapFaultReport, UsesTheNumberedErrorOfItsKind) {
    EXPECT_EXIT(reportMapFault({mapFault::kind::map, "maps/a.kvm", "Invalid map size"}), testing::ExitedWithCode(0),
                "Error010: Could not load map \"maps/a.kvm\" for the following reason:\nInvalid map size");
    EXPECT_EXIT(reportMapFault({mapFault::kind::tileset, "t.dat", "Tile data too short"}), testing::ExitedWithCode(0),
                "Error011: .*\"t.dat\".*\nTile data too short");
    EXPECT_EXIT(reportMapFault({mapFault::kind::datafile, "t.dat", ""}), testing::ExitedWithCode(0),
                "Error007: Loading datafile \"t.dat\" failed");
    EXPECT_EXIT(reportMapFault({mapFault::kind::script, "", "Script too big"}), testing::ExitedWithCode(0),
                "Error012: Script error:\nScript too big");
    EXPECT_EXIT(reportMapFault({mapFault::kind::editor, "", "Precompiled scripts are illegal for editing"}),
                testing::ExitedWithCode(0), "Error013: Editor error:\nPrecompiled");
}
