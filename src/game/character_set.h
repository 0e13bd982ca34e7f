// The character set file: the unit types of a mission. A pure reader, so
// that the mission set-up and the mission checker read sets the same way.
//
// Text, values separated by white space; labels are single words the
// program doesn't use:
//   player count       1 (exactly one player definition)
//   player definition  label speed life armour [armour type] ammo1 .. ammo5 graphics
//   enemy type count E, then E enemy definitions:
//                      label speed life armour [armour type] weapon fire-rate trigger graphics
//   civilian type count K, then K civilian definitions:
//                      label speed life armour [armour type] graphics
// The armour type is present only when the armour is not 0 (else it is 0).
// Map unit types 1 to E are the enemies, E + 1 to E + K the civilians.
//
// Limits the format leaves open: a map names a unit type with one signed
// byte, so a set with more than MAX_UNIT_TYPES types (E + K) defines types
// no map can place and is refused; a file larger than
// CHARACTER_SET_MAX_BYTES is refused before it is parsed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr int MAX_UNIT_TYPES = 127;
constexpr std::size_t CHARACTER_SET_MAX_BYTES = 64 * 1024;
constexpr int START_AMMO_WEAPONS = 5;

struct unitTypeDefinition {
    std::string label;
    float speed = 0;
    int life = 0;
    int armor = 0;
    int armorType = 0;
    int weapon = 0;       // enemies only
    int fireRate = 0;     // enemies only
    int triggerDist = 0;  // enemies only
    std::string graphics; // unit datafile path
};

struct characterSet {
    unitTypeDefinition player;
    int startAmmo[START_AMMO_WEAPONS] = {};
    std::vector<unitTypeDefinition> enemies;
    std::vector<unitTypeDefinition> civilians;

    int typeCount() const { return static_cast<int>(enemies.size() + civilians.size()); }
};

// Parses the text of the set named `name`. On failure returns false and
// sets reason to a sentence naming the set and what is wrong; out is then
// unspecified.
bool parseCharacterSet(const std::string& text, const std::string& name, characterSet& out, std::string& reason);

// Reads the file `name` and parses it; a file that can't be opened gives
// the reason "Failed to open set of characters".
bool readCharacterSet(const std::string& name, characterSet& out, std::string& reason);
