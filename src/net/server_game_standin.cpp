// Stand-in until the multiplayer server is built: starting one ends the
// program with a clear error instead of doing nothing.
#include "app/errors.h"
#include "net/server_game.h"

serverMultiplayerGame::serverMultiplayerGame(std::string mapName, int, int, bool) {
    errors::multiplayerError("The multiplayer server is not part of this build yet (map \"" + mapName + "\").");
}

void serverMultiplayerGame::operator()() {}
