// Rules that the multiplayer server and client share: the limits every
// value from the network is held to before it is stored, converted or used
// as an index, and the constants of the protocol's timing.
#pragma once

constexpr int MP_SPRITES = 6;          // sprite states 0 to 5 of a player
constexpr int START_ARMOUR = 100;      // armour and life a joining player gets
constexpr int START_LIFE = 100;
constexpr int KEEP_ALIVE_TICKS = 32;   // a sign of life at least once a second
constexpr int SILENCE_LIMIT = 64;      // a peer silent for more ticks is lost
constexpr int WALK_SPEED = 3;          // pixels a tick forwards
constexpr float BACKWARDS_FACTOR = -0.75f;

// Bits of an INPUT's flags.
constexpr int INPUT_WALK = 1;
constexpr int INPUT_BACKWARDS = 2;

// A sprite state as received: 0 to 5, anything else 0.
int clampState(int state);

// A coordinate as received or computed, limited to 0 to extent pixels (NaN
// becomes 0), so that converting it to an integer is always defined.
float clampToMap(float value, int extent);

// A spawn point's coordinate, moved into the band where a player can stand:
// RADIUS inside the edges. A player placed on an edge itself could never
// walk away, since every step along it stays within RADIUS of that edge.
float clampToStandable(float value, int extent);

// A slot number is only used as an index when it names one of the slots.
inline bool slotInRange(int slot, int slots) { return slot >= 0 && slot < slots; }
