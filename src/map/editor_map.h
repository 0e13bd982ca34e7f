// The editor's form of a map: the tile layer with the script source path of
// each tile, drawing for editing, the overview picture, and writing fields
// 4 to 8 back (map_writer.h writes the whole file).
#pragma once

#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

struct BITMAP;
class mapFileReader;

// Ticks for which an overview picture is reused.
constexpr int OVERVIEW_TICKS = 128;

class editorMapClass {
public:
    std::vector<char> tiles;  // row by row
    int width = 0;
    int height = 0;
    int tileCount = 0;
    BITMAP* tileset = nullptr;
    std::string tilesetName;
    int tilesetCount = 0;  // N
    int visibleColumns = 0;
    int visibleRows = 0;
    int largestCentreX = 0;
    int largestCentreY = 0;
    int overviewCountdown = 0;
    char mapType = 0;
    BITMAP* overview = nullptr;
    int overviewSize = 0;
    // Script source paths by tile index; a missing or empty entry is a
    // tile without a script (kept sparse: most tiles have none).
    std::unordered_map<int, std::string> scriptPaths;
    std::string mapPath;

    editorMapClass() = default;
    ~editorMapClass();
    editorMapClass(const editorMapClass&) = delete;
    editorMapClass& operator=(const editorMapClass&) = delete;

    // Reads fields 1 to 8; every failure ends the program.
    void loadMap(std::ifstream& file, std::string path);
    // The same, throwing mapFault instead.
    void readMap(std::istream& file, const std::string& path);
    void setTileset(std::string name);
    // Writes fields 4 to 8. A plain save rewrites every script path to
    // "scripts/" + its file name (in the editor too); a pre-compiled save
    // compiles every script into the file. Throws mapFault when a script
    // doesn't compile.
    void save(std::ostream& file, bool precompiled);

    void setTile(int x, int y, int tile) { tiles[y * width + x] = static_cast<char>(tile); }
    std::string& getScriptPath(int index) { return scriptPaths[index]; }
    std::string& getScriptPath(int x, int y) { return scriptPaths[y * width + x]; }
    int getMapWidth() const { return width; }
    int getMapHeight() const { return height; }
    std::string getMapPath() const { return mapPath; }

    void draw(int& x, int& y);
    // Draws as if tile index held tile, which is first kept within the set
    // (in the caller's variable too); the map itself doesn't change.
    void draw(int& x, int& y, int index, int& tile);
    void drawTile(int x, int y, char tile);

    BITMAP* getMapPreview(int maxWidth, int maxHeight);
    int getSmallSize() const { return overviewSize; }
    void poll() {
        if (overviewCountdown > 0) --overviewCountdown;
    }

    // The script path of a tile without creating an entry; empty for none.
    const std::string& scriptPathAt(int index) const;

private:
    void takeTileset(const std::string& name);
};

// Plain saves store script paths as "scripts/" + the path's file name.
std::string scriptsFolderPath(const std::string& path);
// The path after its last '/' or '\\'.
std::string fileNamePart(const std::string& path);
// Compiles a script source into at most limit bytes; throws mapFault (the
// compile-stage script error) when it fails.
std::vector<unsigned char> compileForMap(const std::string& source, int limit);
