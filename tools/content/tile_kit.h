// Painting helpers shared by the tile sets: seamless ground textures and
// raised objects lit from the upper left (the low sun in the west), whose
// shadows fall to the lower right.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

const int TILE = 32;

// Noise that repeats every 32 pixels, so neighbouring tiles join up.
float tileNoise(float x, float y, float cell, unsigned seed);

// Ground of one colour with soft mottling (amount 0..1) and fine grain.
void ground(Canvas& t, Rgb base, Rgb dark, float mottle, unsigned seed, float cell = 8);
// Square plates with seams and a bevel, size in pixels (16 or 32).
void plates(Canvas& t, Rgb base, int size, unsigned seed, bool rivets);
// A raised box: top face, lit left and top edges, dark right and bottom
// edges and a shadow to the lower right.
void raisedBox(Canvas& t, float x0, float y0, float x1, float y1, Rgb top, float height = 3);
// A round object seen from above (barrel, tree crown), lit from the upper left.
void roundTop(Canvas& t, float cx, float cy, float r, Rgb base, float shadow = 3);
// A soft-edged shadow ellipse or box under an object.
void shadowBox(Canvas& t, float x0, float y0, float x1, float y1, float opacity = 0.45f);
// Diagonal warning stripes inside a box.
void hazardStripes(Canvas& t, float x0, float y0, float x1, float y1, Rgb a, Rgb b, float width = 4);
// A lamp: bright core and glow.
void lamp(Canvas& t, float cx, float cy, float r, Rgb colour, float brightness);
// The face of a health or ammunition station on its box: a red cross or
// cartridges, grey when used up, and a green or red status lamp.
void stationPanel(Canvas& t, bool health, bool full);

// One tile of a set: its name (for the documentation), solidity, the name
// of its animation successor (empty: itself) and its painter.
struct TileDef {
    std::string name;
    std::string look;
    int solidity;
    std::string successor;
    std::function<void(Canvas&)> paint;
};

// Paints and packs a tile set datafile and writes its table for
// content/tilesets.md. Item 0 (DATA): N signed solidity bytes, one per
// tile, then N successor tile numbers. Item 1 (BMP): the N tiles side by
// side, 32 N x 32 pixels.
class Catalogue;
void buildTileSet(Catalogue& catalogue, const std::string& file, const std::string& title,
                  const std::vector<TileDef>& tiles, std::string& markdown);
