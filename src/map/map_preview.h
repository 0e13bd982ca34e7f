// Small pictures of a whole map, for the mission description screens and
// the editor's overview.
#pragma once

struct BITMAP;

// Pixels per tile for a map of width x height tiles in a box of
// maxWidth x maxHeight: the smaller of the two quotients, but at least 1
// (a map with more tiles than the box has pixels is shown at one pixel per
// tile, larger than the box; callers clip it).
int previewTileSize(int maxWidth, int maxHeight, int width, int height);

// A new bitmap of width x height tiles of size pixels each, every tile
// copied from the tile strip scaled to size. Tile numbers outside the
// set's count stay black.
BITMAP* drawMapPreview(BITMAP* strip, int tilesetCount, const char* tiles, int width, int height, int size);
