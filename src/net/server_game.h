// The multiplayer server: set up by the constructor, run by the call
// operator until the game ends.
#pragma once

#include <string>

class serverMultiplayerGame {
public:
    serverMultiplayerGame(std::string mapName, int maxPlayers, int minPlayers, bool dedicated);
    void operator()();
};
