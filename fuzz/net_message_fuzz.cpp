// Parses one received game message of any content with the parser of its
// type; a message that parses must be rebuilt within the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    packet p;
    if (!p.assign(reinterpret_cast<const char*>(data), static_cast<int>(size > 100000 ? 100000 : size))) return 0;
    packet out;
    switch (p.get()) {
        case JOIN: {
            joinMessage m;
            if (parseJoin(p, m)) buildJoin(out, m);
            break;
        }
        case WELCOME: {
            welcomeMessage m;
            if (parseWelcome(p, m)) buildWelcome(out, m);
            break;
        }
        case PLAYER_INFO: {
            playerInfoMessage m;
            if (parsePlayerInfo(p, m)) buildPlayerInfo(out, m);
            break;
        }
        case PLAYER_LEFT: {
            int slot = 0;
            if (parsePlayerLeft(p, slot)) buildPlayerLeft(out, slot);
            break;
        }
        case INPUT: {
            inputMessage m;
            if (parseInput(p, m)) buildInput(out, m);
            break;
        }
        case PLAYER_STATES: {
            playerStatesMessage m;
            if (parsePlayerStates(p, m)) buildPlayerStates(out, m);
            break;
        }
        default:
            break;
    }
    if (!out.ok()) std::abort();
    return 0;
}
