// Description file:
//   line 1  path of the map file to write
//   line 2  tile set name
//   line 3  character set name
//   then    width height type campaignFlag (whitespace-separated; the rest
//           of that line is skipped)
//   then    the campaign text name, when the campaign flag is non-zero
//
// The map written: version bytes, type, tile set name, width, height,
// width x height tiles of tile 0 without scripts, no global script, the
// campaign byte and text, the character set name and no units.
#include "app/creator.h"

#include <cstdint>
#include <fstream>

#include "app/constants.h"
#include "app/errors.h"

namespace {

void writeInt32(std::ofstream& out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; i++) out.put(static_cast<char>(v >> (8 * i)));
}

void writeText(std::ofstream& out, const std::string& text) {
    out << text;
    out.put(DELIMITER);
}

// A description written on another system may end its lines with CR LF;
// the CR must not become part of a name (it is the map format's delimiter).
void readLine(std::istream& in, std::string& line) {
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

void newMap(std::string descriptionFile) {
    std::ifstream description(descriptionFile);
    if (!description) errors::fatalError("Failed to open file!");

    std::string mapPath, tileset, charset, campaignText;
    readLine(description, mapPath);
    readLine(description, tileset);
    readLine(description, charset);
    int32_t width = 0, height = 0, campaign = 0;
    char type = 0;
    description >> width >> height >> type >> campaign;
    description.ignore(128, '\n');
    if (campaign != 0) readLine(description, campaignText);

    // Sizes that can't describe a map would only write garbage (or try to
    // write billions of tiles); such a description writes nothing and says
    // why, with the reason the map reader gives for such a size.
    constexpr int64_t MAX_SIDE = 4096;
    if (width < 1 || height < 1 || width > MAX_SIDE || height > MAX_SIDE) errors::fatalError("Invalid map size");

    std::ofstream map(mapPath, std::ios::binary | std::ios::trunc);
    map.put(MAJOR_VERSION);
    map.put(MINOR_VERSION);
    map.put(VERSION_LETTER);
    map.put(type);
    writeText(map, tileset);
    writeInt32(map, width);
    writeInt32(map, height);
    const std::string emptyTiles(static_cast<std::size_t>(width) * height * 2, '\0');
    map.write(emptyTiles.data(), static_cast<std::streamsize>(emptyTiles.size()));
    map.put(0);  // no global script
    // The campaign byte is the flag's lowest bit, and readers take the text
    // from it: the text follows exactly when that byte is set.
    const char campaignByte = static_cast<char>(campaign & 1);
    map.put(campaignByte);
    if (campaignByte != 0) writeText(map, campaignText);
    writeText(map, charset);
    writeInt32(map, 0);  // no units
}
