// Rules every menu screen shares: one logic step per drawn frame, the
// fixed navigation keys beside their binding slots, and a pointer that
// selects only when it moves.
#pragma once

#include "app/pacer.h"

// Menus take at most one tick per frame and draw on every pass.
constexpr pacing MENU_PACING{1, 1, true};

// A menu direction or the confirm key: the fixed key (arrows, Enter) or
// the key of its binding slot in the settings in force (slots 2, 3, 0, 1
// and 4).
enum class menuKey { up, down, left, right, confirm };

// Newly pressed this tick (edge-detected through keyStates).
bool menuPressed(menuKey which);
// Held down now.
bool menuHeld(menuKey which);

// Tracks the pointer between logic steps. A pointer resting on a row must
// not pin the selection there, or the keys could never move it (a mouse
// that is never touched rests at the screen's centre); so a menu follows
// the pointer only on the steps in which it has moved. The first step
// only takes the position.
class pointerWatch {
public:
    pointerWatch();
    // True when the pointer has moved since the last call.
    bool moved();
    int x() const { return lastX; }
    int y() const { return lastY; }

private:
    int lastX, lastY;
};
