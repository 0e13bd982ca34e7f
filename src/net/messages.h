// The catalogue of game messages between the multiplayer server and its
// clients: a type byte followed by a fixed layout, one message per packet.
// Bytes are read back signed (-128 to 127); a name is exactly 8 bytes, zero
// padded, with no terminator when 8 characters long; floats are 4-byte IEEE
// singles, least significant byte first.
//
//   type  message        length  layout after the type byte
//   0     JOIN           12      major, minor, letter, name[8]
//   1     WELCOME        6 + n   slot, slots, armour, life, map name + zero byte
//   2     SERVER_FULL    1
//   3     WRONG_VERSION  1
//   4     PLAYER_INFO    12      slot, points, name[8], just joined (1/0)
//   5     PLAYER_LEFT    2       slot
//   6     QUIT           1
//   7     KEEP_ALIVE     1
//   8     INPUT          5       flags, phase, direction, state
//   9     PLAYER_STATES  2 + 11k mask, then per set bit in ascending slot
//                                order: x (float), y (float), state,
//                                direction, phase
//
// Builders start a fresh message in the packet. Parsers read the fields after
// the type byte (which the caller has read with get()) and return false for a
// malformed message: one shorter than its layout, a map name without its
// zero byte, or a slot outside 0 to 7. Bytes after the layout are ignored.
#pragma once

#include <string>

#include "net/packet.h"

enum messageType : char {
    JOIN = 0,
    WELCOME = 1,
    SERVER_FULL = 2,
    WRONG_VERSION = 3,
    PLAYER_INFO = 4,
    PLAYER_LEFT = 5,
    QUIT = 6,
    KEEP_ALIVE = 7,
    INPUT = 8,
    PLAYER_STATES = 9,
};

constexpr int NAME_BYTES = 8;
constexpr int MAX_SLOTS = 8;

struct joinMessage {
    int major = 0;
    int minor = 0;
    int letter = 0;
    std::string name;
};

struct welcomeMessage {
    int slot = 0;
    int slots = 0;
    int armour = 0;
    int life = 0;
    std::string mapName;
};

struct playerInfoMessage {
    int slot = 0;
    int points = 0;
    std::string name;
    int justJoined = 0;
};

struct inputMessage {
    int flags = 0;
    int phase = 0;
    int direction = 0;
    int state = 0;
};

struct playerRecord {
    float x = 0;
    float y = 0;
    int state = 0;
    int direction = 0;
    int phase = 0;
};

struct playerStatesMessage {
    int mask = 0;  // bit s set: records[s] is present
    playerRecord records[MAX_SLOTS];
};

void buildJoin(packet& p, const joinMessage& m);
void buildWelcome(packet& p, const welcomeMessage& m);
// SERVER_FULL, WRONG_VERSION, QUIT and KEEP_ALIVE: the type byte alone.
void buildSignal(packet& p, messageType type);
void buildPlayerInfo(packet& p, const playerInfoMessage& m);
void buildPlayerLeft(packet& p, int slot);
void buildInput(packet& p, const inputMessage& m);
void buildPlayerStates(packet& p, const playerStatesMessage& m);

bool parseJoin(packet& p, joinMessage& m);
bool parseWelcome(packet& p, welcomeMessage& m);
bool parsePlayerInfo(packet& p, playerInfoMessage& m);
bool parsePlayerLeft(packet& p, int& slot);
bool parseInput(packet& p, inputMessage& m);
bool parsePlayerStates(packet& p, playerStatesMessage& m);
