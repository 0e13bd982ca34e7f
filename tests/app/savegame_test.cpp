#include "app/savegame.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

TEST(Savegame, DamagedOrForeignFilesAreRefusedAndWrittenOnesHaveTheExactLayout) {
    const struct { const char* what; const char* text; bool accepted; } rows[] = {
        {"CRLF line end, the highest bonuses", "range\r\n4 3", true},
        {"missing second line", "range", false},
        {"non-numeric bonus", "range\nfour 3", false},
        {"negative bonus", "range\n-1 0", false},
        {"heal bonus above the table", "range\n5 0", false},
        {"ammo bonus above the table", "range\n0 4", false},
        {"trailing words", "range\n0 0 7", false},
        {"folder separator", "../settings\n0 0", false},
        {"dot-dot name", "..\n0 0", false},
        {"empty name", "\n0 0", false},
        {"empty file", "", false},
        {"no file", nullptr, false},
    };
    scopedWorkDir dir;
    for (const auto& r : rows) {
        if (r.text) writeFileText("slot.sav", r.text);
        savegame out;
        EXPECT_EQ(readSavegame(r.text ? "slot.sav" : "missing.sav", out), r.accepted) << r.what;
        EXPECT_TRUE(!r.accepted || (out.mapName == "range" && out.healBonus == 4 && out.ammoBonus == 3)) << r.what;
    }
    // The file is the map name on one line and the two bonuses on the next.
    ASSERT_TRUE(writeSavegame("slot1.sav", {"harbour", 4, 3}));
    EXPECT_EQ(readFileText("slot1.sav"), "harbour\n4 3");
    EXPECT_FALSE(writeSavegame("no/such/folder/slot0.sav", {"range", 0, 0}));
}
