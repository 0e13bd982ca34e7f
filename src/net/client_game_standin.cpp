// Stand-in until the multiplayer client is built: joining a game ends the
// program with a clear error instead of doing nothing.
#include "app/errors.h"
#include "net/client_game.h"

clientMultiplayerGame::clientMultiplayerGame(std::string address) {
    errors::multiplayerError("The multiplayer client is not part of this build yet (server \"" + address + "\").");
}

void clientMultiplayerGame::operator()() {}
