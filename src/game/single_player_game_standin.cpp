// Stand-in until the single-player game is built: starting a mission ends
// the program with a clear error instead of doing nothing.
#include "app/errors.h"
#include "game/single_player_game.h"

singlePlayerGame::singlePlayerGame(std::string mapName, int, int) {
    errors::fatalError("The single-player game is not part of this build yet (map \"" + mapName + "\").");
}

singlePlayerGame::~singlePlayerGame() = default;

int singlePlayerGame::operator()(std::string&) { return 0; }
