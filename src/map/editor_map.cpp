#include "map/editor_map.h"

#include <allegro.h>

#include <algorithm>

#include "app/constants.h"
#include "app/globals.h"
#include "map/map_file.h"
#include "map/map_preview.h"
#include "map/map_view.h"
#include "map/tileset.h"
#include "script/compiler.h"

namespace {

const std::string NO_SCRIPT;

}  // namespace

std::string fileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string scriptsFolderPath(const std::string& path) { return "scripts/" + fileNamePart(path); }

std::vector<unsigned char> compileForMap(const std::string& source, int limit) {
    std::vector<unsigned char> buffer(limit);
    int size = limit;
    if (!compile(source, "", buffer.data(), &size))
        throw mapFault{mapFault::kind::script, source,
                       "An error occured in compile stage.\nSee compiler.log for details."};
    buffer.resize(size);
    return buffer;
}

editorMapClass::~editorMapClass() {
    if (tileset) destroy_bitmap(tileset);
    if (overview) destroy_bitmap(overview);
}

void editorMapClass::loadMap(std::ifstream& file, std::string path) {
    try {
        readMap(file, path);
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
}

void editorMapClass::readMap(std::istream& file, const std::string& path) {
    mapPath = path;
    if (overview) destroy_bitmap(overview);
    overview = nullptr;
    mapFileReader in(file, path);
    in.version();
    mapType = static_cast<char>(in.byte());
    takeTileset(in.text());
    in.size(width, height);
    tileCount = width * height;
    tiles.assign(tileCount, 0);
    scriptPaths.clear();
    for (int index = 0; index < tileCount; ++index) {
        tiles[index] = in.tile(tilesetCount);
        const int mode = in.byte();
        if (mode == SCRIPT_SOURCE) scriptPaths[index] = in.text();
        if (mode == SCRIPT_COMPILED)
            throw mapFault{mapFault::kind::editor, path, "Precompiled scripts are illegal for editing"};
    }
    int w = 0, h = 0;
    screenSize(w, h);
    visibleColumns = w / 32 + 1;
    visibleRows = h / 32 + 1;
    largestCentreX = width * 32 - w / 2;
    largestCentreY = height * 32 - h / 2;
}

void editorMapClass::setTileset(std::string name) {
    try {
        takeTileset(name);
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
}

void editorMapClass::takeTileset(const std::string& name) {
    // The editor keeps no solidity or animation: item 0 isn't read.
    tilesetData set = readTileset(name, false, "Each tile has to be 32 pixel wide");
    if (tileset) destroy_bitmap(tileset);
    tileset = set.strip;
    tilesetCount = set.count;
    tilesetName = name;
}

const std::string& editorMapClass::scriptPathAt(int index) const {
    auto found = scriptPaths.find(index);
    return found == scriptPaths.end() ? NO_SCRIPT : found->second;
}

void editorMapClass::save(std::ostream& file, bool precompiled) {
    mapFileWriter out(file);
    out.byte(mapType);
    out.text(tilesetName);
    out.int32(width);
    out.int32(height);
    for (int index = 0; index < tileCount; ++index) {
        out.byte(tiles[index]);
        auto found = scriptPaths.find(index);
        if (found == scriptPaths.end() || found->second.empty()) {
            out.byte(SCRIPT_NONE);
        } else if (precompiled) {
            const std::vector<unsigned char> script = compileForMap(found->second, SCRIPT_LIMIT);
            out.byte(SCRIPT_COMPILED);
            out.bytes(script.data(), static_cast<int>(script.size()));
        } else {
            found->second = scriptsFolderPath(found->second);
            out.byte(SCRIPT_SOURCE);
            out.text(found->second);
        }
    }
}

void editorMapClass::draw(int& x, int& y) {
    int noTile = 0;
    draw(x, y, -1, noTile);
}

void editorMapClass::draw(int& x, int& y, int index, int& tile) {
    tile = std::max(0, std::min(tile, tilesetCount - 1));
    const bool showScripts = key[KEY_F2];
    const int red = makecol(255, 0, 0);
    const mapView view = centreView(x, y, largestCentreX, largestCentreY);
    forVisibleTiles(view, width, height, [&](int column, int row, int sx, int sy) {
        const int at = row * width + column;
        if (showScripts && !scriptPathAt(at).empty())
            rectfill(global.buffer, sx, sy, sx + 31, sy + 31, red);
        else
            drawTile(sx, sy, at == index ? static_cast<char>(tile) : tiles[at]);
    });
    x = view.left;
    y = view.top;
}

void editorMapClass::drawTile(int x, int y, char tile) {
    blit(tileset, global.buffer, static_cast<unsigned char>(tile) * 32, 0, x, y, 32, 32);
}

BITMAP* editorMapClass::getMapPreview(int maxWidth, int maxHeight) {
    if (overview && overviewCountdown > 0) return overview;
    if (overview) destroy_bitmap(overview);
    overviewSize = previewTileSize(maxWidth, maxHeight, width, height);
    overview = drawMapPreview(tileset, tilesetCount, tiles.data(), width, height, overviewSize);
    overviewCountdown = OVERVIEW_TICKS;
    return overview;
}
