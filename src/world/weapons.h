// The weapon table: eight weapons, every shot, hit, splinter and aiming
// line reads it. 0 pistol, 1 shotgun fan, 2 machine gun, 3 rifle, 4 and 5
// burst into the splinters 6 and 7.
#pragma once

constexpr int WEAPON_COUNT = 8;
constexpr int PLAYER_WEAPONS = 6;  // the player cycles through weapons 0 to 5

constexpr float SPEED[WEAPON_COUNT] = {13.0f, 13.0f, 13.0f, 15.0f, 5.0f, 9.5f, 18.0f, 18.0f};  // pixels per step
constexpr int DAMAGE[WEAPON_COUNT] = {5, 15, 10, 50, 0, 0, 20, 30};    // life per hit, before armour
constexpr int PIERCE[WEAPON_COUNT] = {0, 0, 0, 1, 0, 0, 2, 2};         // armour class gone through whole
constexpr int RATE[WEAPON_COUNT] = {14, 20, 4, 32, 32, 64, 0, 0};      // steps of cooldown per shot
constexpr int BULLETS[WEAPON_COUNT] = {1, 5, 1, 1, 1, 1, 1, 1};        // bullets per shot
constexpr int SPREAD[WEAPON_COUNT] = {2, 10, 2, 0, 1, 2, 0, 0};        // deviation or fan width, 256ths
constexpr int RANGE[WEAPON_COUNT] = {30, 14, 40, 60, 54, 55, 7, 10};   // steps a bullet lives
constexpr int SPLINTS[WEAPON_COUNT] = {0, 0, 0, 0, 7, 4, 0, 0};        // splinter every n 256ths, 0 none

// The distance a bullet flies, RANGE x SPEED truncated. It follows from the
// two tables alone, so it is worked out when the program is built rather
// than filled at start-up.
constexpr int realRangeOf(int weapon) { return static_cast<int>(RANGE[weapon] * SPEED[weapon]); }
constexpr int realRange[WEAPON_COUNT] = {realRangeOf(0), realRangeOf(1), realRangeOf(2), realRangeOf(3),
                                         realRangeOf(4), realRangeOf(5), realRangeOf(6), realRangeOf(7)};

inline bool isWeapon(int weapon) { return weapon >= 0 && weapon < WEAPON_COUNT; }
// The weapon that a weapon with splinters bursts into.
constexpr int SPLINTER_OFFSET = 2;
