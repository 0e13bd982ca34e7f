// The two tile sets of the game and where they go.
#pragma once
#include <vector>

#include "tile_kit.h"

std::vector<TileDef> outdoorTiles();
std::vector<TileDef> indoorTiles();

// Builds "data/tiles/outdoor.dat" and "data/tiles/indoor.dat" and writes
// their tables (the body of content/tilesets.md) into the staging folder.
void makeTileSets(Catalogue& catalogue);
