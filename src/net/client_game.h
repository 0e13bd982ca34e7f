// The multiplayer client: connects in the constructor, plays in the call
// operator until the game ends.
#pragma once

#include <string>

class clientMultiplayerGame {
public:
    clientMultiplayerGame(std::string address);
    void operator()();
};
