// The tile map of a single-player mission: mapClass with the events of its
// tile scripts. Loading reads or compiles each tile's script and runs its
// onLoad event at once; judging a move request fires the tile events the
// move causes, in a fixed order, with THISX, THISY and THISGRAPHIC set.
#pragma once

#include <fstream>
#include <functional>
#include <istream>
#include <string>
#include <unordered_map>

#include "map/map_class.h"
#include "script/bytecode.h"

class moveRequest;
class VirtualMachine;

// Event numbers of tile scripts.
enum tileEvent { EVENT_ON_ENTER = 1, EVENT_ON_LEAVE = 2, EVENT_ON_EXPLODE = 3, EVENT_DURING_TOUCH = 4,
                 EVENT_ON_LOAD = 6, EVENT_ON_USE = 7 };

// Compiled mode-2 tile scripts pass through this file.
extern const char* const TEMP_SCRIPT_FILE;  // "scripts/temp.kvs"

// The kept events of one scripted tile; an absent event has length 0.
struct tileEvents {
    bytecode onEnter;
    bytecode onLeave;
    bytecode onExplode;
    bytecode duringTouch;
    bytecode onUse;
};

class SPmapClass : public mapClass {
public:
    // Events by tile record index; tiles without events have no entry.
    std::unordered_map<int, tileEvents> events;
    BITMAP* preview = nullptr;
    int smallSize = 0;

    SPmapClass() = default;
    ~SPmapClass();

    // Reads fields 1 to 8 of a map of the given type; every failure ends
    // the program.
    void loadMap(std::ifstream& file, std::string name, char type, VirtualMachine& machine);
    // The same, running each onLoad event through runOnLoad and throwing
    // mapFault instead of ending the program.
    void readMap(std::istream& file, const std::string& name, char type, VirtualMachine& machine,
                 const std::function<void(bytecode&)>& runOnLoad);

    void handleMoveRequest(moveRequest* request, VirtualMachine& machine, int use);

    // The whole map drawn small, made on the first call and kept.
    BITMAP* getMapPreview(int maxWidth, int maxHeight);
    int getSmallSize() const { return smallSize; }

private:
    void readTileScript(mapFileReader& in, int index, const std::function<void(bytecode&)>& runOnLoad);
    void setThis(VirtualMachine& machine, int index);
    void run(VirtualMachine& machine, int index, bytecode tileEvents::*event);
};
