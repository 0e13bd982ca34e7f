#include "app/input.h"

#include <allegro.h>

#include "app/globals.h"

static_assert(KEY_MAX == KEY_CODE_COUNT, "key codes must match Allegro's key array");

keyStatesClass keyStates;

const std::string keyNames[KEY_CODE_COUNT] = {
    "NULL",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "Numpad 0", "Numpad 1", "Numpad 2", "Numpad 3", "Numpad 4",
    "Numpad 5", "Numpad 6", "Numpad 7", "Numpad 8", "Numpad 9",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "Esc", "Tilde", "Minus", "Equals", "Backspace", "Tab", "Openbrace",
    "Closebrace", "Enter", "Colon", "Quote", "\\", "\\", ",", ".", "/", "Space",
    "Insert", "Delete", "Home", "End", "Page up", "Page down",
    "Left", "Right", "Up", "Down",
    "Numpad /", "Numpad *", "Numpad -", "Numpad +", "Numpad Delete",
    "Numpad Enter", "Print screen", "Pause", "ABNT_C1", "Yen", "Kana",
    "CONVERT", "NOCONVERT", "@", "Circumflex", "Colon 2", "KANJI",
    "Numpad =", "Backquote", "Semicolon", "Command Key",
    "Unknown1", "Unknown2", "Unknown3", "Unknown4", "Unknown5", "Unknown6",
    "Unknown8", "MODIFIERS", "Left Shift", "Right Shift", "Left Ctrl",
    "Right Ctrl", "Alt", "Alt Gr", "Left windows", "Right windows", "MENU",
    "Screenlock", "Numlock", "Capslock",
};

std::string keyName(int code) {
    return code >= 0 && code < KEY_CODE_COUNT ? keyNames[code] : std::string();
}

keyStatesClass::keyStatesClass() { resetAll(); }

int keyStatesClass::getKey(int k) {
    if (static_cast<unsigned>(k) >= KEY_CODE_COUNT) return 0;
    if (!key[k]) {
        latch[k] = 0;
        return 0;
    }
    if (latch[k]) return 0;
    latch[k] = 1;
    return 1;
}

int keyStatesClass::anyKey() {
    for (int k = 0; k < KEY_CODE_COUNT; k++) {
        if (!key[k]) {
            latch[k] = 0;
        } else if (!latch[k]) {
            latch[k] = 1;
            return 1;
        }
    }
    return 0;
}

void keyStatesClass::setState(int k, int v) {
    if (static_cast<unsigned>(k) < KEY_CODE_COUNT) latch[k] = v;
}

void keyStatesClass::resetAll() {
    for (int& l : latch) l = 0;
}

std::atomic<int> mouseZDiff{0};
std::atomic<int> oldMouseZ{0};
std::atomic<int> clickPosX{0};
std::atomic<int> clickPosY{0};
std::atomic<bool> down{false};
std::atomic<bool> click{false};

void mouseCallback(int) {
    const int z = mouse_z;
    mouseZDiff = z - oldMouseZ;
    oldMouseZ = z;

    const bool pressed = mouse_b & 1;
    const int x = mouse_x, y = mouse_y;
    if (pressed && !down) {
        down = true;
        click = false;
        clickPosX = x;
        clickPosY = y;
    } else if (pressed) {
        click = false;
    } else if (down) {
        down = false;
        click = (x == clickPosX && y == clickPosY);
    } else {
        click = false;
    }
}
END_OF_FUNCTION(mouseCallback)

bool clickEvent() { return click.exchange(false); }
bool wheelUpEvent() { return mouseZDiff > 0; }
bool wheelDownEvent() { return mouseZDiff < 0; }

void drawMouse() {
    if (mouse_sprite && global.buffer)
        draw_sprite(global.buffer, mouse_sprite, mouse_x, mouse_y);
}

// Allegro's mouse is installed once at start-up; nothing is left to do here.
void installMouse() {}
