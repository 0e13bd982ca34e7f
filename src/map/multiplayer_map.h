// The part of a multiplayer map behind its tile layer (fields 9 to 13):
// no global script, no campaign, a character set name that is dropped and
// at least one spawn point, none with a script.
#pragma once

#include <vector>

class mapFileReader;

struct spawnPoint {
    float x;
    float y;
    int direction;
};

// Reads fields 9 to 13 of a map of width x height tiles; throws mapFault
// with the multiplayer map rules' reasons, or for a position off the map as
// checkUnitPosition does. The direction keeps its signed byte value.
std::vector<spawnPoint> readSpawnPoints(mapFileReader& in, int width, int height);
