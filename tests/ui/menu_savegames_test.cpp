#include "ui/menu_savegames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "support/test_files.h"

// The rows as "label (x)" for an enabled row and "label" for a disabled
// one, joined by " | ".
static std::string described(const slotList& slots) {
    std::string out;
    for (std::size_t i = 0; i < slots.labels.size(); i++)
        out += (i ? " | " : "") + slots.labels[i] + (slots.enabled[i] ? " (x)" : "");
    return out;
}

// The title is a mission's first line without a dash; a savegame that is
// refused, or whose mission has no title, is Unknown. Only the autosave row
// is left out when saving, and then every slot may be chosen.
TEST(SavegameSlots, RowsDescribeEachSlotAndGiveItWhenChosen) {
    scopedWorkDir dir;
    for (const char* folder : {"save", "maps"}) std::filesystem::create_directories(folder);
    const std::pair<const char*, const char*> files[] = {
        {"save/slot0.sav", "plain\n4 3"},        {"maps/plain.kvd", "Plain Title\r\nBriefing\r\n"},
        {"save/slot1.sav", "dashes\n2 1"},       {"maps/dashes.kvd", "-a\n-b\n"},
        {"save/slot2.sav", "gate\n0 0"},         {"maps/gate.kvd", "-Reach the gate\n-Open it\nGate Run\n3 4\n"},
    };
    for (const auto& [path, text] : files) writeFileText(path, text);
    EXPECT_EQ(described(savegameSlots(true)),
              "Autosave: Plain Title (x) | Slot 1: Unknown (x) | Slot 2: Gate Run (x) | Slot 3: Empty | Cancel (x)");
    writeFileText("save/slot1.sav", "gate\n9 0");
    EXPECT_EQ(described(savegameSlots(false)),
              "Slot 1: Unknown (x) | Slot 2: Gate Run (x) | Slot 3: Empty (x) | Cancel (x)");
    // A chosen row gives its slot, Cancel -1.
    const struct { const char* what; bool load; int row, rows, slot; } chosen[] = {
        {"loading: the autosave row is slot 0", true, 0, 5, 0},
        {"saving: Slot 2 is the second row", false, 1, 4, 2},
        {"Cancel", false, 3, 4, -1},
    };
    for (const auto& r : chosen) EXPECT_EQ(slotOfRow(r.load, r.row, r.rows), r.slot) << r.what;
}
