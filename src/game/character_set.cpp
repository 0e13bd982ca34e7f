#include "game/character_set.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdint>

#include "game/text_file.h"
#include "world/weapons.h"

namespace {

// Why parsing stopped, as the whole reason; carried out of the nested
// reads by exception so that every field read stays one line.
struct setFault {
    std::string reason;
};

// The words of the file, one after the other.
class wordReader {
public:
    wordReader(const std::string& text, const std::string& name) : text(text), name(name) {}

    [[noreturn]] void fail(const std::string& what) const { throw setFault{"Character set \"" + name + "\" " + what}; }

    std::string word(const char* field) {
        while (pos < text.size() && isSpace(text[pos])) ++pos;
        if (pos >= text.size()) fail("ends early (" + std::string(field) + " missing)");
        const std::size_t start = pos;
        while (pos < text.size() && !isSpace(text[pos])) ++pos;
        return text.substr(start, pos - start);
    }
    int integer(const char* field) {
        const std::string w = word(field);
        errno = 0;
        char* end = nullptr;
        const long v = std::strtol(w.c_str(), &end, 10);
        if (*end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
            fail("has \"" + w + "\" where the " + field + " (an integer) belongs");
        return static_cast<int>(v);
    }
    float decimal(const char* field) {
        const std::string w = word(field);
        char* end = nullptr;
        const float v = std::strtof(w.c_str(), &end);
        if (*end != '\0' || !std::isfinite(v))
            fail("has \"" + w + "\" where the " + field + " (a number) belongs");
        return v;
    }
    int count(const char* field) {
        const int n = integer(field);
        if (n < 0) fail("has a negative " + std::string(field));
        return n;
    }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
    const std::string& text;
    const std::string& name;
    std::size_t pos = 0;
};

// The fields every definition starts with.
void readCommon(wordReader& in, unitTypeDefinition& d) {
    d.label = in.word("label");
    d.speed = in.decimal("speed");
    d.life = in.integer("life");
    d.armor = in.integer("armour");
    d.armorType = d.armor != 0 ? in.integer("armour type") : 0;
}

void parse(wordReader& in, characterSet& out) {
    const int players = in.count("player count");
    if (players > 1) throw setFault{"Character set contains multiple player definitions"};
    // Without a player the mission has nobody to steer and its first logic
    // step would move an unloaded unit.
    if (players == 0) in.fail("has no player definition");
    readCommon(in, out.player);
    for (int& ammo : out.startAmmo) ammo = in.integer("starting ammunition");
    out.player.graphics = in.word("unit graphics file");

    const int enemies = in.count("enemy type count");
    if (enemies > MAX_UNIT_TYPES) in.fail("defines more than 127 unit types");
    out.enemies.resize(enemies);
    for (unitTypeDefinition& d : out.enemies) {
        readCommon(in, d);
        d.weapon = in.integer("weapon");
        if (!isWeapon(d.weapon)) in.fail("gives enemy \"" + d.label + "\" a weapon outside 0 to 7");
        d.fireRate = in.integer("fire-rate value");
        d.triggerDist = in.integer("trigger distance");
        d.graphics = in.word("unit graphics file");
    }

    const int civilians = in.count("civilian type count");
    if (civilians > MAX_UNIT_TYPES - enemies) in.fail("defines more than 127 unit types");
    out.civilians.resize(civilians);
    for (unitTypeDefinition& d : out.civilians) {
        readCommon(in, d);
        d.graphics = in.word("unit graphics file");
    }
}

}  // namespace

bool parseCharacterSet(const std::string& text, const std::string& name, characterSet& out, std::string& reason) {
    out = characterSet{};
    if (text.size() > CHARACTER_SET_MAX_BYTES) {
        reason = "Character set \"" + name + "\" is larger than 64 KiB";
        return false;
    }
    wordReader in(text, name);
    try {
        parse(in, out);
    } catch (const setFault& fault) {
        reason = fault.reason;
        return false;
    }
    return true;
}

bool readCharacterSet(const std::string& name, characterSet& out, std::string& reason) {
    std::string text;
    if (!readTextFile(name, CHARACTER_SET_MAX_BYTES, text)) {
        reason = "Failed to open set of characters";
        return false;
    }
    return parseCharacterSet(text, name, out, reason);
}
