// Reads a small text file whole, for the mission's text readers.
#pragma once

#include <cstddef>
#include <string>

// False when the file can't be opened. At most limit + 1 bytes are read,
// so that a caller sees that a file is too large without reading it all.
bool readTextFile(const std::string& path, std::size_t limit, std::string& text);
