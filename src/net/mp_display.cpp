#include "net/mp_display.h"

#include <allegro.h>

#include "app/errors.h"
#include "app/globals.h"
#include "app/input.h"
#include "ui/message.h"

void keepRunningInBackground() {
    if (!system_driver || system_driver->id == SYSTEM_NONE) return;
    if (set_display_switch_mode(SWITCH_BACKGROUND) != 0) errors::fatalError("Failed to switch into background mode!");
}

messageClass* newMultiplayerLog(int visibleLines) {
    FONT* oldFont = global.textFont ? global.textFont : font;
    FONT* newFont = global.messageFont ? global.messageFont : font;
    return new messageClass(32, visibleLines, 3, oldFont, newFont, global.buffer);
}

void centredNotice(const char* text, int y) {
    textout_centre_ex(global.buffer, global.menuFont, text, global.buffer->w / 2, y, makecol(255, 255, 255), -1);
}

bool keyHeld(int slot) {
    const int code = global.keys[slot];
    return isKeyCode(code) && key[code];
}
