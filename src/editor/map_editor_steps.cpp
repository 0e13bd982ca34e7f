// The logic steps of tile mode and unit mode.
#include <algorithm>

#include "editor/map_editor.h"
#include "map/map_view.h"

namespace {

constexpr int EDGE_DISTANCE = 4;  // a unit moves towards an edge while at least this far from it

}  // namespace

void mapEditor::tileStep(const editorKeys& k) {
    const bool aim = k.held[SLOT_AIMING_HELP];
    const bool* moves = aim ? k.held : k.pressed;
    if (moves[SLOT_STRAFE_LEFT]) column = std::max(0, column - 1);
    if (moves[SLOT_STRAFE_RIGHT]) column = std::min(map.getMapWidth() - 1, column + 1);
    if (moves[SLOT_FORWARD]) row = std::max(0, row - 1);
    if (moves[SLOT_BACKWARD]) row = std::min(map.getMapHeight() - 1, row + 1);
    if (!aim) {
        if (k.pressed[SLOT_PREVIOUS_WEAPON]) currentTile = std::max(0, currentTile - 1);
        if (k.pressed[SLOT_NEXT_WEAPON]) currentTile = std::max(0, std::min(map.tilesetCount - 1, currentTile + 1));
        if (k.held[SLOT_USE]) paintUnderCursor();
    } else if (k.pressed[SLOT_NEXT_WEAPON]) {
        dialogs.alert({"X: " + std::to_string(column) + "/" + std::to_string(map.getMapWidth()),
                       "Y: " + std::to_string(row) + "/" + std::to_string(map.getMapHeight())},
                      {"OK"});
    }
    if (k.held[SLOT_SHOOT]) chooseTileScript();
}

void mapEditor::paintUnderCursor() {
    history.begin(gestureOf(GESTURE_PAINT));
    history.touchTile(row * map.getMapWidth() + column);
    map.setTile(column, row, currentTile);
}

void mapEditor::chooseTileScript() {
    history.begin(ONE_OFF);
    history.touchTile(row * map.getMapWidth() + column);
    askScript("tile", "ukv;txt;/-d", map.getScriptPath(column, row));
}

void mapEditor::askScript(const std::string& what, const std::string& filter, std::string& script) {
    const int answer = dialogs.alert({"Use script for this " + what + "?",
                                      "If a script was previously assigned to this " + what + ",",
                                      "it will be replaced."},
                                     {"Yes", "No"});
    std::string path = script.empty() ? "scripts/" : script;
    int w = 0, h = 0;
    screenSize(w, h);
    if (answer == 1 && dialogs.selectFile("Please select a script.", path, filter, w - 100, h - 100))
        script = path;
    else
        script.clear();
}

void mapEditor::unitStep(const editorKeys& k) {
    if ((k.pressed[SLOT_DESCRIPTION] && units.count < MAX_UNITS) || units.count == 0) {
        if (dialogs.alert({"Create new unit?"}, {"Yes", "No"}) == 1)
            createUnit();
        else if (units.count == 0)
            mode = TILE_MODE;
    }
    if (units.count == 0) return;
    if (!k.held[SLOT_AIMING_HELP]) {
        if (k.finerStep) stepDivisor = std::max(1, stepDivisor - 1);
        if (k.coarserStep) ++stepDivisor;
        if (k.pressed[SLOT_PREVIOUS_WEAPON]) currentUnit = std::max(0, currentUnit - 1);
        if (k.pressed[SLOT_NEXT_WEAPON]) currentUnit = std::min(units.count - 1, currentUnit + 1);
        moveUnit(k);
        if (k.pressed[SLOT_USE]) deleteUnit();
        if (k.pressed[SLOT_SHOOT]) chooseUnitScript();
        return;
    }
    const int turn = (k.held[SLOT_STRAFE_RIGHT] ? 1 : 0) - (k.held[SLOT_STRAFE_LEFT] ? 1 : 0);
    if (k.held[SLOT_STRAFE_LEFT] || k.held[SLOT_STRAFE_RIGHT]) {
        history.begin(gestureOf(GESTURE_TURN, currentUnit));
        history.touchUnits();
        edUnit& unit = units.units[currentUnit];
        unit.direction = (unit.direction + turn) & 255;
    }
    if (k.pressed[SLOT_FORWARD]) retype(1);
    if (k.pressed[SLOT_BACKWARD]) retype(-1);
}

void mapEditor::moveUnit(const editorKeys& k) {
    const bool left = k.held[SLOT_STRAFE_LEFT], right = k.held[SLOT_STRAFE_RIGHT];
    const bool up = k.held[SLOT_FORWARD], down = k.held[SLOT_BACKWARD];
    if (!left && !right && !up && !down) return;
    history.begin(gestureOf(GESTURE_MOVE, currentUnit));
    history.touchUnits();
    edUnit& unit = units.units[currentUnit];
    const int step = 32 / stepDivisor;
    const float rightEdge = static_cast<float>(map.getMapWidth() * 32 - EDGE_DISTANCE);
    const float bottomEdge = static_cast<float>(map.getMapHeight() * 32 - EDGE_DISTANCE);
    if (left && unit.posX >= EDGE_DISTANCE) unit.posX -= step;
    if (right && unit.posX <= rightEdge) unit.posX += step;
    if (up && unit.posY >= EDGE_DISTANCE) unit.posY -= step;
    if (down && unit.posY <= bottomEdge) unit.posY += step;
}

void mapEditor::createUnit() {
    history.begin(ONE_OFF);
    history.touchUnits();
    units.scripts[units.count].clear();
    currentUnit = units.count++;
}

void mapEditor::deleteUnit() {
    if (dialogs.alert({"Delete current unit?"}, {"Yes", "No"}) != 1) return;
    history.begin(ONE_OFF);
    history.touchUnits();
    const int last = --units.count;
    if (currentUnit != last) units.setSlot(currentUnit, units.slot(last));
    currentUnit = std::min(currentUnit, std::max(units.count - 1, 0));
}

void mapEditor::retype(int change) {
    history.begin(ONE_OFF);
    history.touchUnits();
    edUnit& unit = units.units[currentUnit];
    unit.setType(change > 0 ? std::min(MAX_UNIT_TYPE, unit.type + 1) : std::max(0, unit.type - 1));
    unit.setState(lookOfType(unit.type, set));
}

void mapEditor::chooseUnitScript() {
    history.begin(ONE_OFF);
    history.touchUnits();
    askScript("unit", "ukv;txt", units.scripts[currentUnit]);
}
