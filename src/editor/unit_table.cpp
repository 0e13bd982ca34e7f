#include "editor/unit_table.h"

int lookOfType(int type, const characterCounts& set) {
    if (type < set.players) return LOOK_PLAYER;
    if (type < set.players + set.enemies) return LOOK_ENEMY;
    return LOOK_CIVILIAN;
}

bool typeBeyondSet(int type, const characterCounts& set) {
    return type < 0 || type >= set.players + set.enemies + set.civilians;
}

unitSlot unitTable::slot(int i) const {
    const edUnit& u = units[i];
    return unitSlot{u.type, u.posX, u.posY, u.direction, u.state, scripts[i]};
}

void unitTable::setSlot(int i, const unitSlot& s) {
    edUnit& u = units[i];
    u.setType(s.type);
    u.initialise(s.x, s.y, s.direction, 0);
    u.setState(s.look);
    scripts[i] = s.script;
}
