#include "editor/map_editor.h"

#include <allegro.h>

#include <fstream>

#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "map/map_file.h"
#include "map/map_view.h"
#include "map/map_writer.h"
#include "script/compiler.h"

namespace {

const char* const PRECOMPILED_REFUSAL = "Precompiled scripts are illegal for editing";
constexpr int UNIT_LOOK_SPEED = 0;
constexpr int UNIT_LOOK_LIFE = 1;  // alive, so that every look is drawn standing

}  // namespace

mapEditor::mapEditor(std::string path) : ownDialogs(new allegroDialogs), dialogs(*ownDialogs) { open(path); }

mapEditor::mapEditor(std::string path, editorDialogs& dialogs) : dialogs(dialogs) { open(path); }

void mapEditor::open(const std::string& path) {
    clear_bitmap(global.buffer);
    int w = 0, h = 0;
    screenSize(w, h);
    textout_centre_ex(global.buffer, global.menuFont, "Loading map data, please wait...", w / 2,
                      (h - text_height(global.menuFont)) / 2, makecol(255, 255, 255), -1);
    show(false, nullptr);

    std::ifstream file(path, std::ios::binary);
    if (!file) errors::mapLoadError(path, "Failed to open file");
    map.loadMap(file, path);
    try {
        mapFileReader in(file, path);
        if (in.byte() != 0) errors::editorError(PRECOMPILED_REFUSAL);
        campaign = (in.byte() & 1) != 0;
        if (campaign) campaignText = in.text();
        characterSetName = in.text();
        std::ifstream setFile(characterSetName);
        if (!setFile) errors::mapLoadError(path, "Failed to open set of characters");
        std::string reason;
        if (!readCharacterCounts(setFile, set, reason)) errors::mapLoadError(path, reason + ": " + characterSetName);
        look.load(UNIT_LOOK_SPEED, UNIT_LOOK_LIFE, 0, 0, "data/editorgr.dat", 0, 0, 0);
        readUnits(file, path);
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
    prepareSpareSlots();
}

void mapEditor::readUnits(std::istream& file, const std::string& path) {
    mapFileReader in(file, path);
    const int count = in.int32();
    if (count < 0 || count > MAX_UNITS) in.fail("Invalid unit count");
    for (int i = 0; i < count; ++i) {
        const unitRecord record = readUnitRecord(in, map.width, map.height);
        if (record.scriptMode == SCRIPT_COMPILED) errors::editorError(PRECOMPILED_REFUSAL);
        edUnit& unit = units.units[i];
        unit.basetypeGet(look);
        units.setSlot(i, unitSlot{record.type, record.x, record.y, record.direction,
                                  lookOfType(record.type, set),
                                  record.scriptMode == SCRIPT_SOURCE ? record.scriptPath : ""});
    }
    units.count = count;
}

void mapEditor::prepareSpareSlots() {
    for (int i = units.count; i < MAX_UNITS; ++i) {
        units.units[i].basetypeGet(look);
        units.setSlot(i, unitSlot{set.players, 0, 0, 0, lookOfType(set.players, set), ""});
    }
}

void mapEditor::operator()() { runPaced(*this, pacing{1, 1, true}); }

bool mapEditor::step() {
    const editorKeys k = readEditorKeys();
    if (k.undo || k.redo)
        undoOrRedo(k.undo);
    else if (mode == TILE_MODE)
        tileStep(k);
    else
        unitStep(k);
    if (k.pressed[SLOT_EXTRA]) mode = mode == TILE_MODE ? UNIT_MODE : TILE_MODE;
    history.endStep();
    if (k.quit && quitDialogue()) return false;
    map.poll();
    return true;
}

void mapEditor::undoOrRedo(bool undo) {
    if (undo ? history.undo() : history.redo()) {
        if (currentUnit >= units.count) currentUnit = units.count > 0 ? units.count - 1 : 0;
    }
}

bool mapEditor::quitDialogue() {
    auto askQuit = [this] { return dialogs.alert({"Quit editor?"}, {"Yes", "No"}) == 1; };
    const int answer = dialogs.alert({"Save map before before quitting?"}, {"Yes", "No", "Cancel"});
    if (answer == 2) return askQuit();
    if (answer != 1) return false;
    const int how = dialogs.alert(
        {"Save map pre-compiled?", "Pre-compiled should be used for release versions.", "Don't pre-compile if unsure."},
        {"Don't pre-compile", "Pre-compile map", "Cancel"});
    if (how != 1 && how != 2) return false;
    return save(how == 2) && askQuit();
}

bool mapEditor::save(bool precompiled) {
    std::string path = map.getMapPath();
    int w = 0, h = 0;
    screenSize(w, h);
    if (!dialogs.selectFile("Please enter path for saving", path, "kvm", w - 100, h - 100)) return false;
    mapSaveParts parts{campaign, campaignText, characterSetName, units.units.data(), units.scripts.data(),
                       units.count};
    // A plain save rewrites the script paths; a save that fails leaves them
    // as they were, so that nothing changes but the message.
    const auto tileScripts = map.scriptPaths;
    const auto unitScripts = units.scripts;
    auto keepPaths = [&] {
        map.scriptPaths = tileScripts;
        units.scripts = unitScripts;
    };
    std::string reason;
    try {
        if (writeMapFile(path, map, parts, precompiled, &reason)) return true;
        keepPaths();
        dialogs.alert({"The map could not be saved:", reason, "The old file is unchanged."}, {"OK"});
    } catch (const mapFault& fault) {
        keepPaths();
        const compileFailure& failure = lastCompileFailure;
        const std::string file = failure.file.empty() ? fault.subject : failure.file;
        const std::string where = failure.line > 0 ? ", line " + std::to_string(failure.line) : "";
        dialogs.alert({"Script " + file + where + " does not compile:", failure.message,
                       "The map was not saved; see compiler.log."},
                      {"OK"});
    }
    return false;
}
