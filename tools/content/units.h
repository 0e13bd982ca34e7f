// The unit graphics datafiles: one per unit type in "data/units/", the
// multiplayer players' "data/playergr.dat" and the editor's
// "data/editorgr.dat".
#pragma once
#include <string>
#include <vector>

#include "catalogue.h"
#include "unit_sprites.h"

struct UnitType {
    std::string file;  // relative to the game folder
    Look look;
    int radius;        // collision radius, item 6
};

// Player first, then the enemies (rifleman, shotgunner, heavy, sniper),
// then the civilians (scientist, technician).
std::vector<UnitType> unitTypes();

void makeUnits(Catalogue& catalogue);
