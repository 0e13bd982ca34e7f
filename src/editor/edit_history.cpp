#include "editor/edit_history.h"

#include <algorithm>

#include "map/editor_map.h"

void editHistory::begin(long gesture) {
    if (open && (gesture == ONE_OFF || gesture != openGesture)) close();
    if (!open) {
        open = true;
        openGesture = gesture;
        current = action{};
        touched.clear();
    }
    wentOn = gesture != ONE_OFF;
}

void editHistory::touchTile(int index) {
    if (touched.count(index)) return;
    touched[index] = current.tiles.size();
    current.tiles.push_back(tileChange{index, tileAt(index), {}});
}

void editHistory::touchUnits() {
    if (current.unitsTouched) return;
    current.unitsTouched = true;
    current.unitsBefore = unitsNow(static_cast<std::size_t>(std::min(units.count + 1, MAX_UNITS)));
}

void editHistory::endStep() {
    if (open && !wentOn) close();
    wentOn = false;
}

void editHistory::close() {
    open = false;
    action a = std::move(current);
    current = action{};
    touched.clear();
    std::vector<tileChange> changed;
    for (tileChange& c : a.tiles) {
        c.after = tileAt(c.index);
        if (!(c.after == c.before)) changed.push_back(std::move(c));
    }
    a.tiles = std::move(changed);
    if (a.unitsTouched) {
        a.unitsAfter = unitsNow(a.unitsBefore.slots.size());
        a.unitsTouched = !(a.unitsAfter == a.unitsBefore);
    }
    if (a.tiles.empty() && !a.unitsTouched) return;
    done.push_back(std::move(a));
    if (done.size() > HISTORY_LIMIT) done.pop_front();
    undone.clear();
}

bool editHistory::undo() { return replay(done, undone, false); }

bool editHistory::redo() { return replay(undone, done, true); }

bool editHistory::replay(std::deque<action>& from, std::deque<action>& to, bool forward) {
    if (open) close();
    if (from.empty()) return false;
    apply(from.back(), forward);
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

void editHistory::apply(const action& a, bool forward) {
    for (const tileChange& c : a.tiles) putTile(c.index, forward ? c.after : c.before);
    if (a.unitsTouched) putUnits(forward ? a.unitsAfter : a.unitsBefore);
}

editHistory::tileState editHistory::tileAt(int index) const {
    return tileState{map.tiles[index], map.scriptPathAt(index)};
}

void editHistory::putTile(int index, const tileState& state) {
    map.tiles[index] = state.tile;
    if (state.script.empty())
        map.scriptPaths.erase(index);
    else
        map.scriptPaths[index] = state.script;
}

editHistory::unitsState editHistory::unitsNow(std::size_t slots) const {
    unitsState s;
    s.count = units.count;
    for (std::size_t i = 0; i < slots; ++i) s.slots.push_back(units.slot(static_cast<int>(i)));
    return s;
}

void editHistory::putUnits(const unitsState& state) {
    units.count = state.count;
    for (std::size_t i = 0; i < state.slots.size(); ++i) units.setSlot(static_cast<int>(i), state.slots[i]);
}
