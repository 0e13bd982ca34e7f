// The savegame slot screen's items: one row per slot with its description,
// then "Cancel"; the autosave row only when loading.
#pragma once

#include <string>
#include <vector>

struct savegame;

// The title of a mission: the first line of "maps/" + name + ".kvd" that
// does not begin with "-". False when the file can't be read or holds no
// such line.
bool missionTitle(const std::string& mapName, std::string& title);

// "Empty" for a missing file; the mission's title for a savegame that
// reads; "Unknown" for a damaged or foreign savegame or a mission without
// a readable description.
std::string slotDescription(int slot);

struct slotList {
    std::vector<std::string> labels;
    std::vector<bool> enabled;
};

// When loading, a slot without a file is disabled; when saving every row
// is enabled and the autosave row is left out.
slotList savegameSlots(bool load);

// The slot of a chosen row, -1 for "Cancel".
int slotOfRow(bool load, int row, int rowCount);

namespace menu {

// Reads the savegame of a slot. A damaged or foreign file is refused with
// a message box naming it; false then.
bool loadSavegame(int slot, savegame& out);

}  // namespace menu
