// Shared constants of the whole program: geometry, timing and version.
#pragma once

#include <string>

constexpr int TILESIZE = 32;   // tile edge in map pixels
constexpr int RADIUS = 8;      // distance a unit keeps from the map edge
constexpr int TIMER_FPS = 32;  // logic ticks per second
constexpr double PI = 3.14159265358979323846;

// The first three bytes of every map file and the version bytes of the
// multiplayer join message.
constexpr char MAJOR_VERSION = 0;
constexpr char MINOR_VERSION = 6;
constexpr char VERSION_LETTER = 'A';

// Ends texts inside binary files (carriage return).
constexpr char DELIMITER = 13;

extern const std::string VERSIONSTRING;
