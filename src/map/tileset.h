// Tile set files: an Allegro datafile, read once and unloaded at once.
//   item 0  raw data, at least 2 x N bytes: N solidity values (signed; above
//           0 blocks units), then N animation successors (tile numbers
//           below N; a still tile names itself)
//   item 1  bitmap: N tiles of 32 x 32 pixels side by side in one row; its
//           width must be a multiple of 32 (N = width / 32, at most 128)
// The datafile is checked before Allegro's loader sees it (world/
// unit_datafile.h: plain bitmap and raw objects only).
#pragma once

#include <string>
#include <vector>

struct BITMAP;

struct tilesetData {
    BITMAP* strip = nullptr;  // owned by whoever takes it
    int count = 0;
    std::vector<signed char> solidity;
    std::vector<unsigned char> successor;
};

// Loads name; with withTable item 0 is read and checked too. A strip whose
// width isn't a multiple of 32 is refused with widthReason. Throws mapFault.
tilesetData readTileset(const std::string& name, bool withTable, const std::string& widthReason);
