// The mission checker for map makers: "korvalt check MAP..." reads a map
// the way the game will (maps/ by the single-player rules, mpmaps/ by the
// multiplayer ones) together with everything it names, without a display,
// and reports every problem it finds, one a line, as "file:line: message"
// (or "file: message" where no line applies).
//
// Single-player maps: the map file itself, its tile set and tile numbers,
// every tile, unit and global script (a source that doesn't compile is
// reported at the line where the compiler stopped; an event the game never
// runs for that kind of script is reported too), the character set (parse
// errors at their line, unit graphics files that are missing), the units
// (exactly one player, no player script, types the set defines, places on
// the map and off solid tiles), the campaign text and its picture, the
// mission description (parse errors, objectives outside the map), and
// every `goto` (a map that exists, or "GO" / "GS") and `loadsound` (a file
// that exists) in the scripts.
// Multiplayer maps: the map file, tile set and tile numbers, no scripts of
// any kind, no campaign, and at least MIN_SPAWN_POINTS spawn points, each
// on the map and off solid tiles.
#pragma once

#include <string>
#include <vector>

// The menu's server starts with room for 4 players; with fewer spawn
// points than that, players would share one.
constexpr int MIN_SPAWN_POINTS = 4;

// The problems of one map, path relative to the working directory (the
// game folder); empty when the map is clean.
std::vector<std::string> checkMission(const std::string& path);

// The "check" mode: checks every map named in args (argc of them), prints
// the problems to standard output and gives the exit status: 0 clean, 1
// otherwise (or when no map is named).
int runCheckMode(int argc, char** argv);
