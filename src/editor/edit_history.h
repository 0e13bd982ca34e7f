// Undo and redo of the editor's edits. An action records what it is about
// to change (tiles with their scripts, or the unit table) before it
// changes it; the new state is taken when the action is closed. A held
// gesture (painting, moving or turning one unit) stays one action for as
// long as it goes on from step to step.
#pragma once

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/unit_table.h"

class editorMapClass;

// Undo steps kept; older ones are dropped.
constexpr std::size_t HISTORY_LIMIT = 512;

// Gestures: ONE_OFF actions close at the end of their step; the others
// name what is held, so that a change of unit or of kind starts a new action.
enum gestureKind { ONE_OFF = 0, GESTURE_PAINT = 1, GESTURE_MOVE = 2, GESTURE_TURN = 3 };
inline long gestureOf(gestureKind kind, int unit = 0) { return kind == ONE_OFF ? 0 : kind + 4L * (unit + 1); }

class editHistory {
public:
    editHistory(editorMapClass& map, unitTable& units) : map(map), units(units) {}

    // Opens an action for gesture, or goes on with the open one when it is
    // the same held gesture.
    void begin(long gesture);
    // Record before changing: a tile (its number and script) or the units.
    void touchTile(int index);
    void touchUnits();
    // Closes the open action unless it is a held gesture that went on in
    // this step; called once at the end of every step.
    void endStep();

    // False when there is nothing to undo or redo.
    bool undo();
    bool redo();
    std::size_t undoSteps() const { return done.size(); }
    std::size_t redoSteps() const { return undone.size(); }

private:
    struct tileState {
        char tile = 0;
        std::string script;
        bool operator==(const tileState& o) const { return tile == o.tile && script == o.script; }
    };
    struct tileChange {
        int index;
        tileState before, after;
    };
    struct unitsState {
        int count = 0;
        std::vector<unitSlot> slots;  // the slots in use and the next spare one
        bool operator==(const unitsState& o) const { return count == o.count && slots == o.slots; }
    };
    struct action {
        std::vector<tileChange> tiles;
        bool unitsTouched = false;
        unitsState unitsBefore, unitsAfter;
    };

    tileState tileAt(int index) const;
    void putTile(int index, const tileState& state);
    unitsState unitsNow(std::size_t slots) const;
    void putUnits(const unitsState& state);
    void close();
    void apply(const action& a, bool forward);
    // Applies the last action of from (forward or back) and moves it to to.
    bool replay(std::deque<action>& from, std::deque<action>& to, bool forward);

    editorMapClass& map;
    unitTable& units;
    std::deque<action> done;
    std::deque<action> undone;
    bool open = false;
    long openGesture = 0;
    bool wentOn = false;
    action current;
    std::unordered_map<int, std::size_t> touched;  // tile index -> entry of current
};
