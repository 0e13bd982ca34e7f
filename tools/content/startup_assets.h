// What the game needs to start: the three fonts of "data/data.dat", the
// menu background and the mouse crosshair.
#pragma once
#include "catalogue.h"

void makeFonts(Catalogue& catalogue);
void makeMainMenu(Catalogue& catalogue);
void makeCrosshair(Catalogue& catalogue);
