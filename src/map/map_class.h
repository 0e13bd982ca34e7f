// The tile layer of a loaded map: tile numbers, the tile set's solidity,
// animation and strip, drawing of the visible part and the test of a
// requested position against the map's edges and solid tiles. The
// multiplayer server and client use it as it is; SPmapClass adds scripts.
#pragma once

#include <fstream>
#include <istream>
#include <string>
#include <vector>

struct BITMAP;
class mapFileReader;

constexpr int ANIMATION_TICKS = 16;

class mapClass {
public:
    std::vector<char> tiles;               // row by row
    std::vector<signed char> solidity;     // per tile number
    std::vector<unsigned char> successor;  // per tile number
    int width = 0;
    int height = 0;
    int tileCount = 0;                     // width x height
    BITMAP* tileset = nullptr;
    int tilesetCount = 0;                  // N
    int mapType = 0;
    int visibleColumns = 0;
    int visibleRows = 0;
    int largestCentreX = 0;
    int largestCentreY = 0;
    int animationCountdown = ANIMATION_TICKS;

    mapClass() = default;
    ~mapClass();
    mapClass(const mapClass&) = delete;
    mapClass& operator=(const mapClass&) = delete;

    // Reads fields 1 to 8 of a multiplayer map and leaves the file at
    // field 9; every failure ends the program. True once loaded.
    bool loadMap(std::ifstream& file, std::string name);
    // The same, throwing mapFault instead of ending the program.
    void readMap(std::istream& file, const std::string& name);
    void setTileset(std::string name);

    // Draws the tiles around (x, y) into the back buffer; returns the map
    // position of the top-left screen pixel in x, y.
    void draw(int& x, int& y);
    // False when the point is refused: an axis whose point lies within
    // RADIUS of an edge goes back to its old value; a solid tile, or a tile
    // off the map (never looked up), restores both.
    bool handleMoveRequest(float& x, float& y, float oldX, float oldY);
    void poll();

    int getMapWidth() const { return width * 32; }
    int getMapHeight() const { return height * 32; }
    int getTilesize() const { return 32; }

    // Solidity of the tile at (column, row) on the map; a tile number
    // outside the set (a script's `graphic` may write any) blocks every
    // request.
    int solidityAt(int column, int row) const;
    // The tile under a map position, false when it lies off the map.
    bool tileUnder(float x, float y, int& column, int& row) const;

protected:
    // Fields 5 to 7 after the type byte: the tile set, the size and the
    // (still empty) tile array.
    void readLayer(mapFileReader& in);
    void computeView();
    void takeTileset(const std::string& name);
};
