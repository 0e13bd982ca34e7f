// The map editor: one existing map file, edited full-screen in tile mode
// (cursor, painting, tile scripts) and unit mode (creating, selecting,
// moving, turning, retyping and deleting units, unit scripts), with undo
// and redo, saved plain or pre-compiled.
#pragma once

#include <memory>
#include <string>

#include "app/pacer.h"
#include "editor/character_counts.h"
#include "editor/edit_history.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_keys.h"
#include "editor/unit_table.h"
#include "map/editor_map.h"
#include "world/unit.h"

class mapEditor : public pacedScreen {
public:
    // Opens and reads the map; every failure ends the program.
    explicit mapEditor(std::string path);
    // The same, asking its questions through dialogs (kept by reference).
    mapEditor(std::string path, editorDialogs& dialogs);
    mapEditor(const mapEditor&) = delete;
    mapEditor& operator=(const mapEditor&) = delete;

    // Runs the editor until the user quits: at most one step per frame.
    void operator()();
    bool step() override;
    void draw() override;

    // Asks for the file and saves; false when cancelled or not written
    // (the reason was shown), true when the map is saved.
    bool save(bool precompiled);
    bool saveCompiled() { return save(true); }

    enum editMode { TILE_MODE, UNIT_MODE };

    // Editing state, public for tests and drawing.
    editorMapClass map;
    Unit look;  // the template whose sprites every placed unit shares
    unitTable units;
    characterCounts set;
    std::string characterSetName;
    bool campaign = false;
    std::string campaignText;
    int column = 0;
    int row = 0;
    int currentTile = 0;
    int currentUnit = 0;
    editMode mode = TILE_MODE;
    int stepDivisor = 8;
    editHistory history{map, units};

private:
    void open(const std::string& path);
    void readUnits(std::istream& file, const std::string& path);
    void prepareSpareSlots();

    void tileStep(const editorKeys& k);
    void paintUnderCursor();
    void chooseTileScript();
    void unitStep(const editorKeys& k);
    void moveUnit(const editorKeys& k);
    void createUnit();
    void deleteUnit();
    void retype(int change);
    void chooseUnitScript();
    // Shows the "Use script for this ..." question and the file selector;
    // script is changed or emptied as the user answers.
    void askScript(const std::string& what, const std::string& filter, std::string& script);
    // The Esc dialogue; true when the editor is to end.
    bool quitDialogue();
    void undoOrRedo(bool undo);

    void drawUnits(int viewX, int viewY);
    void drawOverview();

    std::unique_ptr<allegroDialogs> ownDialogs;
    editorDialogs& dialogs;
};
