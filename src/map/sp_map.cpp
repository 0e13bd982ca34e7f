#include "map/sp_map.h"

#include <allegro.h>

#include "map/map_file.h"
#include "map/map_preview.h"
#include "script/compiler.h"
#include "script/virtual_machine.h"
#include "world/entity.h"

const char* const TEMP_SCRIPT_FILE = "scripts/temp.kvs";

namespace {

enum thisVariable { VAR_THISX = 1, VAR_THISY = 2, VAR_THISGRAPHIC = 3 };

}  // namespace

SPmapClass::~SPmapClass() {
    if (preview) destroy_bitmap(preview);
}

void SPmapClass::loadMap(std::ifstream& file, std::string name, char type, VirtualMachine& machine) {
    try {
        readMap(file, name, type, machine, [&machine](bytecode& code) { machine.compute(code); });
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
}

void SPmapClass::readMap(std::istream& file, const std::string& name, char type, VirtualMachine& machine,
                         const std::function<void(bytecode&)>& runOnLoad) {
    mapFileReader in(file, name);
    in.version();
    mapType = in.byte();
    if (mapType != static_cast<unsigned char>(type)) in.fail("Wrong map type");
    readLayer(in);
    events.clear();
    machine.mapSetup(width, height, tiles.data());
    for (int index = 0; index < tileCount; ++index) {
        tiles[index] = in.tile(tilesetCount);
        readTileScript(in, index, runOnLoad);
    }
    computeView();
}

void SPmapClass::readTileScript(mapFileReader& in, int index, const std::function<void(bytecode&)>& runOnLoad) {
    std::vector<unsigned char> script;
    const int mode = in.byte();
    if (mode == SCRIPT_SOURCE) {
        const std::string source = in.text();
        // Each tile compiles its own source, even one another tile named.
        if (!compile(source, TEMP_SCRIPT_FILE, nullptr, nullptr))
            throw mapFault{mapFault::kind::script, source,
                           "An error occured in compile stage.\nSee compiler.log for details."};
        std::ifstream compiled(TEMP_SCRIPT_FILE, std::ios::binary);
        if (!compiled)
            throw mapFault{mapFault::kind::fatal, TEMP_SCRIPT_FILE, "Fatal error: Opening 'scripts/temp.kvs' failed!"};
        mapFileReader temp(compiled, TEMP_SCRIPT_FILE);
        script = temp.script(SCRIPT_LIMIT);
    } else if (mode == SCRIPT_COMPILED) {
        script = in.script(SCRIPT_LIMIT);
    } else {
        return;
    }
    const int size = static_cast<int>(script.size());
    bytecode onLoad(script.data(), size, EVENT_ON_LOAD);
    if (onLoad.getLength() > 0) runOnLoad(onLoad);
    tileEvents kept;
    kept.onEnter.extract(script.data(), size, EVENT_ON_ENTER);
    kept.onLeave.extract(script.data(), size, EVENT_ON_LEAVE);
    kept.onExplode.extract(script.data(), size, EVENT_ON_EXPLODE);
    kept.duringTouch.extract(script.data(), size, EVENT_DURING_TOUCH);
    kept.onUse.extract(script.data(), size, EVENT_ON_USE);
    if (kept.onEnter.getLength() || kept.onLeave.getLength() || kept.onExplode.getLength() ||
        kept.duringTouch.getLength() || kept.onUse.getLength())
        events[index] = std::move(kept);
}

void SPmapClass::setThis(VirtualMachine& machine, int index) {
    *machine.getVar(VAR_THISX, false) = index % width;
    *machine.getVar(VAR_THISY, false) = index / width;
    *machine.getVar(VAR_THISGRAPHIC, false) = tiles[index];
}

void SPmapClass::run(VirtualMachine& machine, int index, bytecode tileEvents::*event) {
    auto found = events.find(index);
    if (found != events.end()) machine.compute(found->second.*event);
}

void SPmapClass::handleMoveRequest(moveRequest* request, VirtualMachine& machine, int use) {
    if (!request) return;
    int column = 0, row = 0;
    // Tiles off the map have no events and block every move into them.
    const int oldTile = tileUnder(request->oldPosX, request->oldPosY, column, row) ? row * width + column : -1;
    if (!request->wasRequested()) {
        if (oldTile < 0) return;
        setThis(machine, oldTile);
        run(machine, oldTile, &tileEvents::duringTouch);
        if (request->scripts & SCRIPT_USE) run(machine, oldTile, &tileEvents::onUse);
        return;
    }
    const int newTile = tileUnder(request->newPosX, request->newPosY, column, row) ? row * width + column : -1;
    const float r = static_cast<float>(request->radius);
    if (request->newPosX - r < 0 || request->newPosX + r > width * 32) request->declineX();
    if (request->newPosY - r < 0 || request->newPosY + r > height * 32) request->declineY();
    if (newTile < 0 || request->rights <= solidityAt(column, row)) request->decline();

    if (request->scripts & SCRIPT_ENTER_LEAVE) {
        if (request->wasDeclined()) {
            if (oldTile >= 0) {
                setThis(machine, oldTile);
                if (use) run(machine, oldTile, &tileEvents::onUse);
                run(machine, oldTile, &tileEvents::duringTouch);
                if (request->scripts & SCRIPT_USE) run(machine, oldTile, &tileEvents::onUse);
            }
        } else {
            setThis(machine, newTile);
            run(machine, newTile, &tileEvents::duringTouch);
            if (use) run(machine, newTile, &tileEvents::onUse);
            if (request->scripts & SCRIPT_USE) run(machine, newTile, &tileEvents::onUse);
            if (newTile != oldTile) {
                run(machine, newTile, &tileEvents::onEnter);
                if (oldTile >= 0) {
                    setThis(machine, oldTile);
                    run(machine, oldTile, &tileEvents::onLeave);
                }
            }
        }
    }
    if (request->wasDeclined() && (request->scripts & SCRIPT_EXPLODE) && newTile >= 0) {
        auto found = events.find(newTile);
        if (found != events.end() && found->second.onExplode.getLength() > 0) {
            setThis(machine, newTile);
            machine.compute(found->second.onExplode);
        }
    }
}

BITMAP* SPmapClass::getMapPreview(int maxWidth, int maxHeight) {
    if (!preview) {
        smallSize = previewTileSize(maxWidth, maxHeight, width, height);
        preview = drawMapPreview(tileset, tilesetCount, tiles.data(), width, height, smallSize);
    }
    return preview;
}
