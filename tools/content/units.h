// The unit graphics datafiles: one per unit type in "data/units/", the
// multiplayer players' "data/playergr.dat" and the editor's
// "data/editorgr.dat".
#pragma once
#include "catalogue.h"

void makeUnits(Catalogue& catalogue);
