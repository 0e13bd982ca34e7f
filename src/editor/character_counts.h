// The unit type counts the editor needs from a character set: players P,
// enemy types E and civilian types K. They decide a placed unit's look and
// whether its type exists in the set at all.
//
// Stand-in for the shared character set reader (game/character_set.h):
// only the counts and the definitions between them are read.
#pragma once

#include <istream>
#include <string>

struct characterCounts {
    int players = 0;
    int enemies = 0;
    int civilians = 0;
};

// Reads P, skips the P player definitions, reads E, skips the E enemy
// definitions and reads K. False, with the reason, when P or E is missing,
// negative or too large, or a player definition ends early; K is 0 when
// the set ends before it.
bool readCharacterCounts(std::istream& in, characterCounts& counts, std::string& reason);
