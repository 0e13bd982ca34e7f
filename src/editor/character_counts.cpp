#include "editor/character_counts.h"

namespace {

// More types than a map's one-byte type field can name make no set.
constexpr int MOST_TYPES = 128;

bool readCount(std::istream& in, int& count, const char* what, std::string& reason) {
    if (!(in >> count) || count < 0 || count > MOST_TYPES) {
        reason = std::string("Invalid ") + what + " count in set of characters";
        return false;
    }
    return true;
}

// label, speed, life, armour, the armour type only when armour isn't 0,
// then `more` further words.
bool skipDefinition(std::istream& in, int more, std::string& reason) {
    std::string label;
    float speed = 0;
    int life = 0, armor = 0;
    if (!(in >> label >> speed >> life >> armor)) {
        reason = "Damaged definition in set of characters";
        return false;
    }
    if (armor != 0) ++more;
    std::string word;
    for (int i = 0; i < more; ++i)
        if (!(in >> word)) {
            reason = "Damaged definition in set of characters";
            return false;
        }
    return true;
}

}  // namespace

bool readCharacterCounts(std::istream& in, characterCounts& counts, std::string& reason) {
    constexpr int PLAYER_MORE = 6;  // five starting ammunitions, graphics file
    constexpr int ENEMY_MORE = 4;   // weapon, fire rate, trigger distance, graphics file
    if (!readCount(in, counts.players, "player", reason)) return false;
    for (int i = 0; i < counts.players; ++i)
        if (!skipDefinition(in, PLAYER_MORE, reason)) return false;
    if (!readCount(in, counts.enemies, "enemy", reason)) return false;
    // K only marks types beyond the set; a set that ends before it counts
    // no civilians, as the game would place none.
    std::string ignored;
    counts.civilians = 0;
    for (int i = 0; i < counts.enemies; ++i)
        if (!skipDefinition(in, ENEMY_MORE, ignored)) return true;
    if (!readCount(in, counts.civilians, "civilian", ignored)) counts.civilians = 0;
    return true;
}
