#include "app/savegame.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace {

TEST(Savegame, WrittenFileReadsBackWithTheExactLayout) {
    scopedWorkDir dir;
    const std::string path = "slot1.sav";
    ASSERT_TRUE(writeSavegame(path, {"harbour", 4, 3}));
    EXPECT_EQ(readFileText(path), "harbour\n4 3");
    savegame back;
    ASSERT_TRUE(readSavegame(path, back));
    EXPECT_EQ(back.mapName, "harbour");
    EXPECT_EQ(back.healBonus, 4);
    EXPECT_EQ(back.ammoBonus, 3);
}

TEST(Savegame, DamagedOrForeignFilesAreRefused) {
    struct row { const char* what; const char* text; bool accepted; };
    const row rows[] = {
        {"plain file", "range\n2 1", true},
        {"CRLF line end", "range\r\n0 0", true},
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
    };
    scopedWorkDir dir;
    for (const row& r : rows) {
        writeFileText("slot.sav", r.text);
        savegame out;
        EXPECT_EQ(readSavegame("slot.sav", out), r.accepted) << r.what;
    }
    savegame out;
    EXPECT_FALSE(readSavegame("missing.sav", out));
}

TEST(Savegame, UnwritableTargetIsReportedNotDone) {
    scopedWorkDir dir;
    EXPECT_FALSE(writeSavegame("no/such/folder/slot0.sav", {"range", 0, 0}));
}

}  // namespace
