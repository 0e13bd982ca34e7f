#include "game/text_file.h"

#include <fstream>

bool readTextFile(const std::string& path, std::size_t limit, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    text.clear();
    char chunk[4096];
    while (text.size() <= limit && (file.read(chunk, sizeof chunk) || file.gcount() > 0))
        text.append(chunk, static_cast<std::size_t>(file.gcount()));
    if (text.size() > limit + 1) text.resize(limit + 1);
    return true;
}
