// The units placed in the editor: 1024 slots in file order, the first
// `count` in use, each with the path of its script source ("" for none).
// Slots at and above the count are spare and keep what they last held.
#pragma once

#include <string>
#include <vector>

#include "editor/character_counts.h"
#include "world/unit.h"

constexpr int MAX_UNITS = 1024;
// A map stores a unit's type as one signed byte.
constexpr int MAX_UNIT_TYPE = 127;

enum unitLook { LOOK_PLAYER, LOOK_ENEMY, LOOK_CIVILIAN };

// 0 below P, 1 from P to P + E - 1, 2 from P + E on (civilians and types
// beyond the set alike).
int lookOfType(int type, const characterCounts& set);
// True when the set has no type of that number: the game would refuse it.
bool typeBeyondSet(int type, const characterCounts& set);

// What a slot holds, for saving it aside and putting it back.
struct unitSlot {
    int type = 0;
    float x = 0;
    float y = 0;
    int direction = 0;
    int look = 0;
    std::string script;
    bool operator==(const unitSlot& o) const {
        return type == o.type && x == o.x && y == o.y && direction == o.direction && look == o.look &&
               script == o.script;
    }
};

struct unitTable {
    std::vector<edUnit> units = std::vector<edUnit>(MAX_UNITS);
    std::vector<std::string> scripts = std::vector<std::string>(MAX_UNITS);
    int count = 0;

    unitSlot slot(int i) const;
    void setSlot(int i, const unitSlot& s);
};
