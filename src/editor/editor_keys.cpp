#include "editor/editor_keys.h"

#include <allegro.h>

#include "app/input.h"

namespace {

// One press per key code and step, shared by every slot bound to it.
struct pressReader {
    int asked[KEY_CODE_COUNT] = {};  // 0 not yet, 1 not pressed, 2 pressed
    bool operator()(int code) {
        if (!isKeyCode(code)) return false;
        if (asked[code] == 0) asked[code] = keyStates[code] ? 2 : 1;
        return asked[code] == 2;
    }
};

}  // namespace

editorKeys readEditorKeys() {
    editorKeys k;
    pressReader pressed;
    for (int slot = 0; slot < KEY_SLOTS; ++slot) {
        const int code = global.keys[slot];
        k.held[slot] = isKeyCode(code) && key[code];
        k.pressed[slot] = pressed(code);
    }
    k.finerStep = pressed(KEY_FINER_STEP);
    k.coarserStep = pressed(KEY_COARSER_STEP);
    k.quit = pressed(KEY_QUIT);
    k.undo = pressed(KEY_UNDO);
    k.redo = pressed(KEY_REDO);
    return k;
}
