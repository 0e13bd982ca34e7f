#include "map/map_class.h"

#include <allegro.h>

#include <algorithm>

#include "app/constants.h"
#include "app/globals.h"
#include "map/map_file.h"
#include "map/map_view.h"
#include "map/tileset.h"

namespace {

// Blocks every request: above any rights a mover has.
constexpr int BLOCKED = 127;

}  // namespace

mapClass::~mapClass() {
    if (tileset) destroy_bitmap(tileset);
}

bool mapClass::loadMap(std::ifstream& file, std::string name) {
    try {
        readMap(file, name);
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
    return true;
}

void mapClass::readMap(std::istream& file, const std::string& name) {
    mapFileReader in(file, name);
    in.version();
    mapType = in.byte();
    if (mapType == SINGLE_PLAYER_TYPE) in.fail("Wrong map type");
    readLayer(in);
    for (char& tile : tiles) {
        tile = in.tile(tilesetCount);
        // A script here would be read as tile records; multiplayer maps carry none.
        if (in.byte() != SCRIPT_NONE) in.fail("Scripts in multiplayer maps are not allowed!");
    }
    computeView();
}

void mapClass::readLayer(mapFileReader& in) {
    takeTileset(in.text());
    animationCountdown = ANIMATION_TICKS;
    in.size(width, height);
    tileCount = width * height;
    tiles.assign(tileCount, 0);
}

void mapClass::computeView() {
    int w = 0, h = 0;
    screenSize(w, h);
    visibleColumns = std::min(w / 32 + 1, width);
    visibleRows = std::min(h / 32 + 1, height);
    largestCentreX = width * 32 - w / 2;
    largestCentreY = height * 32 - h / 2;
}

void mapClass::setTileset(std::string name) {
    try {
        takeTileset(name);
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
}

void mapClass::takeTileset(const std::string& name) {
    tilesetData set = readTileset(name, true, "Each tile has to be 32 pixels wide");
    if (tileset) destroy_bitmap(tileset);
    tileset = set.strip;
    tilesetCount = set.count;
    solidity = std::move(set.solidity);
    successor = std::move(set.successor);
}

void mapClass::poll() {
    if (animationCountdown > 1) {
        --animationCountdown;
        return;
    }
    animationCountdown = ANIMATION_TICKS;
    for (char& tile : tiles) {
        const unsigned char t = static_cast<unsigned char>(tile);
        if (t < tilesetCount) tile = static_cast<char>(successor[t]);
    }
}

void mapClass::draw(int& x, int& y) {
    const mapView view = centreView(x, y, largestCentreX, largestCentreY);
    forVisibleTiles(view, width, height, [&](int column, int row, int sx, int sy) {
        const unsigned char t = static_cast<unsigned char>(tiles[row * width + column]);
        if (t < tilesetCount) blit(tileset, global.buffer, t * 32, 0, sx, sy, 32, 32);
    });
    x = view.left;
    y = view.top;
}

bool mapClass::tileUnder(float x, float y, int& column, int& row) const {
    // Truncation toward zero and then division by 32: (-1, width x 32)
    // gives the columns of the map; NaN and anything else lies off it.
    if (!(x > -1.0f && x < width * 32.0f && y > -1.0f && y < height * 32.0f)) return false;
    column = static_cast<int>(x) >> 5;
    row = static_cast<int>(y) >> 5;
    return true;
}

int mapClass::solidityAt(int column, int row) const {
    const unsigned char t = static_cast<unsigned char>(tiles[row * width + column]);
    return t < tilesetCount ? solidity[t] : BLOCKED;
}

bool mapClass::handleMoveRequest(float& x, float& y, float oldX, float oldY) {
    bool result = true;
    int column = 0, row = 0;
    const bool onMap = tileUnder(x, y, column, row);
    if (x - RADIUS < 0 || x + RADIUS > width * 32) {
        x = oldX;
        result = false;
    }
    if (y - RADIUS < 0 || y + RADIUS > height * 32) {
        y = oldY;
        result = false;
    }
    if (!onMap || solidityAt(column, row) > 0) {
        x = oldX;
        y = oldY;
        return false;
    }
    return result;
}
