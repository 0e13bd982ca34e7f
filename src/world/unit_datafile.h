// Checks a unit datafile before Allegro's datafile loader sees it: that
// loader trusts its input and crashes on truncated or hostile files, so the
// game refuses anything but the plain structure a unit datafile needs.
//
// The file is an Allegro packfile: "slh." and the stream as it is, or
// "slh!" and the stream LZSS-compressed (Allegro's packfile reader undoes
// that). The stream, big-endian:
//   offset  size  field
//        0     4  "ALL."
//        4     4  object count n, 1 to 256
//   then n objects, each:
//             4  "prop", 4 property type (not 0 or -1), 4 size s, s bytes
//                (zero or more)
//             4  object type: "BMP ", or any type that Allegro keeps as
//                raw bytes ("DATA", the grabber's "info", ...); the types
//                with loaders of their own (fonts, samples, nested
//                datafiles, ...) and the ids 0 and -1 are refused
//             4  chunk size c
//             4  unpacked size: equal to c (objects compressed one by one
//                                 are refused)
//             c  object data
//   "BMP " data: 2 colour depth (8, 15, 16, 24, 32, or -32 with alpha),
//                2 width, 2 height (each 1 to 4096), then the pixels:
//                1, 2, 2, 3, 3 or 4 bytes each; c must match exactly
//   other data:  c raw bytes
// Bytes after the last object are ignored.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr int UNIT_DATAFILE_MAX_OBJECTS = 256;
constexpr int UNIT_SPRITE_MAX_SIDE = 4096;
// The most stream bytes read from one unit datafile.
constexpr std::size_t UNIT_DATAFILE_MAX_BYTES = 64u << 20;

// True when the stream (after the packfile magic) has the structure above.
bool unitDatafileStreamIsSound(const unsigned char* stream, std::size_t size);
// Reads the file through Allegro's packfile reader and checks its stream.
bool unitDatafileIsSound(const std::string& file);
