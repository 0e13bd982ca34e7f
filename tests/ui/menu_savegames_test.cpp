#include "ui/menu_savegames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "support/test_files.h"

namespace {

using files = std::vector<std::pair<std::string, std::string>>;

TEST(SavegameSlots, RowsDescribeEachSlotFromItsSavegameAndMission) {
    struct row {
        const char* what;
        files present;
        bool load;
        std::vector<std::string> labels;
        std::vector<bool> enabled;
    };
    const std::string base = "-Reach the gate\n-Open it\nGate Run\n3 4\n5 6\nBriefing\n";
    const row rows[] = {
        {"a missing file is Empty and can't be loaded", {{"save/slot2.sav", "gate\n0 0"}, {"maps/gate.kvd", base}},
         true,
         {"Autosave: Empty", "Slot 1: Empty", "Slot 2: Gate Run", "Slot 3: Empty", "Cancel"},
         {false, false, true, false, true}},
        {"the title is the first line without a dash", {{"save/slot0.sav", "gate\n4 3"},
                                                        {"maps/gate.kvd", "Plain Title\r\nBriefing\r\n"}},
         true,
         {"Autosave: Plain Title", "Slot 1: Empty", "Slot 2: Empty", "Slot 3: Empty", "Cancel"},
         {true, false, false, false, true}},
        {"a mission without description is Unknown", {{"save/slot1.sav", "lost\n2 1"}}, true,
         {"Autosave: Empty", "Slot 1: Unknown", "Slot 2: Empty", "Slot 3: Empty", "Cancel"},
         {false, true, false, false, true}},
        {"a description of dashes only is Unknown", {{"save/slot1.sav", "gate\n2 1"}, {"maps/gate.kvd", "-a\n-b\n"}},
         true,
         {"Autosave: Empty", "Slot 1: Unknown", "Slot 2: Empty", "Slot 3: Empty", "Cancel"},
         {false, true, false, false, true}},
        {"a bonus out of range is Unknown", {{"save/slot1.sav", "gate\n9 0"}, {"maps/gate.kvd", base}}, true,
         {"Autosave: Empty", "Slot 1: Unknown", "Slot 2: Empty", "Slot 3: Empty", "Cancel"},
         {false, true, false, false, true}},
        {"a map outside maps/ is Unknown", {{"save/slot3.sav", "../gate\n0 0"}, {"gate.kvd", base}}, true,
         {"Autosave: Empty", "Slot 1: Empty", "Slot 2: Empty", "Slot 3: Unknown", "Cancel"},
         {false, false, false, true, true}},
        {"saving leaves out the autosave and enables every slot",
         {{"save/slot0.sav", "gate\n0 0"}, {"maps/gate.kvd", base}}, false,
         {"Slot 1: Empty", "Slot 2: Empty", "Slot 3: Empty", "Cancel"}, {true, true, true, true}},
    };
    for (const row& r : rows) {
        scopedWorkDir dir;
        std::filesystem::create_directories("save");
        std::filesystem::create_directories("maps");
        for (const auto& [path, text] : r.present) writeFileText(path, text);
        const slotList slots = savegameSlots(r.load);
        EXPECT_EQ(slots.labels, r.labels) << r.what;
        EXPECT_EQ(slots.enabled, r.enabled) << r.what;
    }
}

TEST(SavegameSlots, ChosenRowsGiveSlotsAndCancelGivesMinusOne) {
    struct row { const char* what; bool load; int row, rows, slot; };
    const row rows[] = {
        {"loading: the autosave row is slot 0", true, 0, 5, 0},
        {"loading: the third row is slot 2", true, 2, 5, 2},
        {"loading: Cancel", true, 4, 5, -1},
        {"saving: Slot 2 is the second row", false, 1, 4, 2},
        {"saving: Cancel", false, 3, 4, -1},
    };
    for (const row& r : rows) EXPECT_EQ(slotOfRow(r.load, r.row, r.rows), r.slot) << r.what;
}

}  // namespace
