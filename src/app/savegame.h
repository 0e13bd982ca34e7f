// Savegames: the start of a mission, not a game in progress.
//
// "save/slot<N>.sav" is text:
//   line 1  the map name (no folder, no extension)
//   line 2  heal bonus, one blank, ammo bonus, decimal, no line end
//
// The bonuses a file may hold are those the difficulty table gives (heal 0
// to 4, ammo 0 to 3); a map name may not leave "maps/". Anything else is a
// damaged or foreign file and is refused as a whole.
#pragma once

#include <string>

constexpr int SAVEGAME_SLOTS = 4;  // slot 0 is the automatic one
constexpr int MAX_HEAL_BONUS = 4;
constexpr int MAX_AMMO_BONUS = 3;

struct savegame {
    std::string mapName;
    int healBonus = 0;
    int ammoBonus = 0;
};

// True when a map name names a file inside "maps/": not empty, no folder
// separator, no "..".
bool isPlainMapName(const std::string& name);

// Reads and checks a savegame; false (out unchanged) for a missing, damaged
// or foreign file.
bool readSavegame(const std::string& path, savegame& out);

// Writes the file whole (temporary file, then rename); false when it could
// not be written.
bool writeSavegame(const std::string& path, const savegame& game);
