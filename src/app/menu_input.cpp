#include "app/menu_input.h"

#include <allegro.h>

#include "app/globals.h"
#include "app/input.h"

namespace {

struct keyPair {
    int fixed;
    int slot;
};

keyPair keysOf(menuKey which) {
    switch (which) {
    case menuKey::up: return {KEY_UP, SLOT_FORWARD};
    case menuKey::down: return {KEY_DOWN, SLOT_BACKWARD};
    case menuKey::left: return {KEY_LEFT, SLOT_STRAFE_LEFT};
    case menuKey::right: return {KEY_RIGHT, SLOT_STRAFE_RIGHT};
    case menuKey::confirm: break;
    }
    return {KEY_ENTER, SLOT_USE};
}

}  // namespace

bool menuPressed(menuKey which) {
    const keyPair k = keysOf(which);
    // Both are asked, so each latch sees the key's state on every tick.
    const bool fixed = keyStates[k.fixed];
    const bool bound = keyStates[global.keys[k.slot]];
    return fixed || bound;
}

bool menuHeld(menuKey which) {
    const keyPair k = keysOf(which);
    const int bound = global.keys[k.slot];
    return key[k.fixed] || (isKeyCode(bound) && key[bound]);
}

pointerWatch::pointerWatch() : lastX(mouse_x), lastY(mouse_y) {}

bool pointerWatch::moved() {
    const int x = mouse_x, y = mouse_y;
    if (x == lastX && y == lastY) return false;
    lastX = x;
    lastY = y;
    return true;
}
