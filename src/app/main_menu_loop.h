// The game's outermost loop: asks the main menu and starts, one at a time,
// single-player missions (and the campaign's next ones), multiplayer games
// and the options screen, until the user leaves or a restart is needed.
// It reaches the menus and the modes only through the calls handed in, so
// the mode dispatch wires the real ones and tests wire their own.
#pragma once

#include <functional>
#include <string>

#include "app/savegame.h"

struct frontEndCalls {
    std::function<int(int start)> mainMenu;
    std::function<int()> newGameMenu;
    std::function<int()> getDifficulty;
    std::function<int()> skipTutorial;
    std::function<int()> serverClient;
    std::function<int(bool load)> savegameSelect;
    // Reads a slot's savegame; false when it was refused (the user has
    // been told).
    std::function<bool(int slot, savegame& out)> loadSavegame;
    std::function<bool(bool full)> options;
    std::function<bool()> savegameExists;
    // Constructs, runs and destroys one mission; returns its code and may
    // rewrite the map name (the next map, "GO" or "GS").
    std::function<int(std::string& mapName, int healBonus, int ammoBonus)> playMission;
    std::function<void()> hostGame;
    std::function<void(const std::string& address)> joinGame;
};

struct difficultyBonus {
    int heal;
    int ammo;
};

// Heal and ammo bonus for the difficulty menu's choice (0 easy to 2 hard);
// any other value counts as hard.
difficultyBonus bonusFor(int difficulty);

// The first line of a text file ("maps/default" names the campaign's first
// map) and its first whitespace-separated word ("server.txt" names the
// server's address); empty when the file can't be read.
std::string firstLine(const std::string& path);
std::string firstWord(const std::string& path);

// Runs the loop; true when the program must start afresh for changed
// display settings.
bool runMainMenuLoop(const frontEndCalls& calls);
