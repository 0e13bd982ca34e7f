#include "ui/menu_savegames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "support/test_files.h"

namespace {

// The rows as "label (x)" for an enabled row and "label" for a disabled
// one, joined by " | ".
std::string described(const slotList& slots) {
    std::string out;
    for (std::size_t i = 0; i < slots.labels.size(); i++)
        out += (i ? " | " : "") + slots.labels[i] + (slots.enabled[i] ? " (x)" : "");
    return out;
}

TEST(SavegameSlots, RowsDescribeEachSlotFromItsSavegameAndMission) {
    const std::string gate = "-Reach the gate\n-Open it\nGate Run\n3 4\n5 6\nBriefing\n";
    using files = std::vector<std::pair<std::string, std::string>>;
    const struct { const char* what; files present; bool load; const char* rows; } rows[] = {
        {"a missing file is Empty, not loadable", {{"save/slot2.sav", "gate\n0 0"}, {"maps/gate.kvd", gate}}, true,
         "Autosave: Empty | Slot 1: Empty | Slot 2: Gate Run (x) | Slot 3: Empty | Cancel (x)"},
        {"the title is the first line without a dash",
         {{"save/slot0.sav", "gate\n4 3"}, {"maps/gate.kvd", "Plain Title\r\nBriefing\r\n"}}, true,
         "Autosave: Plain Title (x) | Slot 1: Empty | Slot 2: Empty | Slot 3: Empty | Cancel (x)"},
        {"a mission without description is Unknown", {{"save/slot1.sav", "lost\n2 1"}}, true,
         "Autosave: Empty | Slot 1: Unknown (x) | Slot 2: Empty | Slot 3: Empty | Cancel (x)"},
        {"a description of dashes only is Unknown", {{"save/slot1.sav", "gate\n2 1"}, {"maps/gate.kvd", "-a\n-b\n"}},
         true, "Autosave: Empty | Slot 1: Unknown (x) | Slot 2: Empty | Slot 3: Empty | Cancel (x)"},
        {"a bonus out of range is Unknown", {{"save/slot1.sav", "gate\n9 0"}, {"maps/gate.kvd", gate}}, true,
         "Autosave: Empty | Slot 1: Unknown (x) | Slot 2: Empty | Slot 3: Empty | Cancel (x)"},
        {"a map outside maps/ is Unknown", {{"save/slot3.sav", "../gate\n0 0"}, {"gate.kvd", gate}}, true,
         "Autosave: Empty | Slot 1: Empty | Slot 2: Empty | Slot 3: Unknown (x) | Cancel (x)"},
        {"saving: no autosave, every slot enabled", {{"save/slot0.sav", "gate\n0 0"}, {"maps/gate.kvd", gate}}, false,
         "Slot 1: Empty (x) | Slot 2: Empty (x) | Slot 3: Empty (x) | Cancel (x)"},
    };
    for (const auto& r : rows) {
        scopedWorkDir dir;
        std::filesystem::create_directories("save");
        std::filesystem::create_directories("maps");
        for (const auto& [path, text] : r.present) writeFileText(path, text);
        EXPECT_EQ(described(savegameSlots(r.load)), r.rows) << r.what;
    }
}

TEST(SavegameSlots, ChosenRowsGiveSlotsAndCancelGivesMinusOne) {
    const struct { const char* what; bool load; int row, rows, slot; } rows[] = {
        {"loading: the autosave row is slot 0", true, 0, 5, 0},
        {"loading: the third row is slot 2", true, 2, 5, 2},
        {"loading: Cancel", true, 4, 5, -1},
        {"saving: Slot 2 is the second row", false, 1, 4, 2},
        {"saving: Cancel", false, 3, 4, -1},
    };
    for (const auto& r : rows) EXPECT_EQ(slotOfRow(r.load, r.row, r.rows), r.slot) << r.what;
}

}  // namespace
