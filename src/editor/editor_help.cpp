#include "editor/editor_help.h"

#include <allegro.h>

#include <algorithm>

#include "app/globals.h"
#include "app/input.h"

std::vector<std::string> editorHelpLines(const int keys[]) {
    auto k = [keys](int slot) { return keyName(keys[slot]); };
    const std::string moves = k(SLOT_STRAFE_LEFT) + " " + k(SLOT_STRAFE_RIGHT) + " " + k(SLOT_FORWARD) + " " +
                              k(SLOT_BACKWARD);
    const std::string aim = k(SLOT_AIMING_HELP);
    return {
        "Tile mode",
        "  " + moves + ": move the cursor (held with " + aim + ": keeps moving)",
        "  " + k(SLOT_PREVIOUS_WEAPON) + " / " + k(SLOT_NEXT_WEAPON) + ": previous / next tile",
        "  " + k(SLOT_USE) + " held: paint the current tile under the cursor",
        "  " + k(SLOT_SHOOT) + ": assign a script to the tile",
        "  " + aim + " + " + k(SLOT_NEXT_WEAPON) + ": show the cursor position",
        "Unit mode",
        "  " + k(SLOT_DESCRIPTION) + ": create a unit",
        "  " + k(SLOT_PREVIOUS_WEAPON) + " / " + k(SLOT_NEXT_WEAPON) + ": previous / next unit",
        "  " + moves + " held: move the unit; F5 / F6: smaller / larger steps",
        "  " + aim + " + " + k(SLOT_STRAFE_LEFT) + " / " + k(SLOT_STRAFE_RIGHT) + " held: turn the unit",
        "  " + aim + " + " + k(SLOT_FORWARD) + " / " + k(SLOT_BACKWARD) + ": next / previous unit type",
        "  " + k(SLOT_USE) + ": delete the unit;  " + k(SLOT_SHOOT) + ": assign a script to the unit",
        "Both modes",
        "  " + k(SLOT_EXTRA) + ": switch between tile mode and unit mode",
        "  Z: undo;  Y: redo",
        "  F1 held: map overview;  F2 held: tiles with scripts in red",
        "  F9: screenshot;  Esc: save and quit;  H held: this help",
    };
}

void drawEditorHelp(BITMAP* bmp, FONT* textFont, const int keys[]) {
    const std::vector<std::string> lines = editorHelpLines(keys);
    const int lineHeight = text_height(textFont) + 4;
    int width = 0;
    for (const std::string& line : lines) width = std::max(width, text_length(textFont, line.c_str()));
    const int boxW = width + 40, boxH = static_cast<int>(lines.size()) * lineHeight + 30;
    const int left = (bmp->w - boxW) / 2, top = (bmp->h - boxH) / 2;
    rectfill(bmp, left, top, left + boxW, top + boxH, makecol(16, 20, 28));
    rect(bmp, left, top, left + boxW, top + boxH, makecol(200, 200, 200));
    int y = top + 15;
    for (const std::string& line : lines) {
        const bool heading = line[0] != ' ';
        textout_ex(bmp, textFont, line.c_str(), left + 20, y, heading ? makecol(255, 210, 90) : makecol(255, 255, 255),
                   -1);
        y += lineHeight;
    }
}
