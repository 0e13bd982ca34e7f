// One single-player mission: loaded by the constructor, played by the call
// operator, freed by the destructor.
#pragma once

#include <string>

class singlePlayerGame {
public:
    singlePlayerGame(std::string mapName, int healBonus, int ammoBonus);
    ~singlePlayerGame();
    // Plays the mission; 0 when it was left through the in-game menu, 1
    // with mapName rewritten to the next map, "GO" or "GS".
    int operator()(std::string& mapName);
};
