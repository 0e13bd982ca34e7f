// Map sources: a readable text form of a map file (".kvm"), so that maps
// live in content/ as text and are built into exact map bytes, and a map
// saved by the editor can be turned back into text.
//
// A source is read line by line; blank lines and lines starting with ';'
// are skipped (outside the grid). Texts (names, paths) run to the end of
// their line; other lines may end in a comment starting with ';'. Keys:
//   type C              map type character ("S" single-player)
//   tileset TEXT        tile set file
//   charset TEXT        character set file
//   campaign TEXT       campaign text name (campaign flag 1); absent: 0
//   global SCRIPT       global script (flag 1), "compile" or "bytes" form
//   size W H            tile columns and rows
//   tile SYM N [SCRIPT] legend: grid symbol SYM is tile N, optionally with
//                       a script on every such cell
//   grid                followed by exactly H rows of W symbols
//   script C R SCRIPT   a script for the tile at column C, row R
//   unit T X Y [D [S]] [SCRIPT]
//                       unit record: type, x, y (map pixels, or "Nt" for
//                       the centre of tile N, or "bits:XXXXXXXX" for the
//                       raw float), direction and state (default 0)
// SCRIPT: "none" (mode 0), "source PATH" (mode 2, the path is stored and
// compiled when the map loads), "compile PATH" (mode 1, compiled now with
// the game's compiler and stored), "bytes HH HH ..." (mode 1, the compiled
// bytes as they are).
#pragma once

#include <string>

// A source that can't be built: the line it was found on and why.
struct sourceFault {
    int line;
    std::string message;
};

// The map file bytes of a source; "compile" scripts are compiled relative
// to the working directory. Throws sourceFault.
std::string buildMapFile(const std::string& source);

// The source of a map file, written so that buildMapFile gives the same
// bytes back (scripts stored compiled come back as "bytes"). Throws
// mapFault when the bytes are no complete map file or hold something the
// text form can't say.
std::string mapFileSource(const std::string& bytes, const std::string& name);
