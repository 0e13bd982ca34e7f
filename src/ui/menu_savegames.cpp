#include "ui/menu_savegames.h"

#include <allegro.h>

#include <fstream>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/savegame.h"

namespace {
const char* const SLOT_NAMES[SAVEGAME_SLOTS] = {"Autosave: ", "Slot 1: ", "Slot 2: ", "Slot 3: "};
}

bool missionTitle(const std::string& mapName, std::string& title) {
    std::ifstream file("maps/" + mapName + ".kvd", std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] != '-') {
            title = line;
            return true;
        }
    }
    return false;
}

std::string slotDescription(int slot) {
    const std::string path = getSavegamePath(slot);
    if (!fileExists(path)) return "Empty";
    savegame game;
    std::string title;
    if (!readSavegame(path, game) || !missionTitle(game.mapName, title)) return "Unknown";
    return title;
}

slotList savegameSlots(bool load) {
    slotList list;
    for (int slot = load ? 0 : 1; slot < SAVEGAME_SLOTS; slot++) {
        list.labels.push_back(SLOT_NAMES[slot] + slotDescription(slot));
        list.enabled.push_back(!load || fileExists(getSavegamePath(slot)));
    }
    list.labels.push_back("Cancel");
    list.enabled.push_back(true);
    return list;
}

int slotOfRow(bool load, int row, int rowCount) {
    if (row < 0 || row >= rowCount - 1) return -1;
    return load ? row : row + 1;
}

namespace menu {

bool loadSavegame(int slot, savegame& out) {
    const std::string path = getSavegamePath(slot);
    if (readSavegame(path, out)) return true;
    // Allegro's alert box in the game's own colours and text font; it
    // draws onto the screen over the menu and waits for Enter or a click.
    FONT* previousFont = font;
    font = global.textFont;
    gui_fg_color = makecol(0, 0, 0);
    gui_bg_color = makecol(255, 255, 255);
    alert(("The savegame \"" + path + "\"").c_str(), "can't be loaded: it is damaged",
          "or belongs to another game.", "OK", nullptr, 0, 0);
    font = previousFont;
    return false;
}

}  // namespace menu
