// The editor's frame: the map around the cursor or the current unit, the
// units with their type numbers, the overview, the help overlay.
#include <allegro.h>

#include "app/constants.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "editor/editor_help.h"
#include "editor/map_editor.h"

namespace {

constexpr int OVERVIEW_W = 400;
constexpr int OVERVIEW_H = 300;

}  // namespace

void mapEditor::draw() {
    BITMAP* buffer = global.buffer;
    // A map smaller than the screen doesn't cover it.
    clear_bitmap(buffer);
    int viewX = 0, viewY = 0;
    if (mode == TILE_MODE) {
        viewX = column * TILESIZE;
        viewY = row * TILESIZE;
        map.draw(viewX, viewY, row * map.getMapWidth() + column, currentTile);
        const int x = column * TILESIZE - viewX, y = row * TILESIZE - viewY;
        rect(buffer, x, y, x + TILESIZE, y + TILESIZE, makecol(0, 0, 0));
    } else {
        const edUnit& unit = units.units[currentUnit];
        viewX = unit.getPosX();
        viewY = unit.getPosY();
        map.draw(viewX, viewY);
    }
    drawUnits(viewX, viewY);
    if (key[KEY_OVERVIEW]) drawOverview();
    if (key[KEY_HELP]) {
        drawEditorHelp(buffer, global.textFont, global.keys);
    } else {
        const char* hint = mode == TILE_MODE ? "Tile mode - hold H for help" : "Unit mode - hold H for help";
        const int y = buffer->h - text_height(global.textFont) - 4;
        textout_ex(buffer, global.textFont, hint, 5, y + 1, makecol(0, 0, 0), -1);
        textout_ex(buffer, global.textFont, hint, 4, y, makecol(255, 255, 255), -1);
    }
    show(false, nullptr);
}

void mapEditor::drawUnits(int viewX, int viewY) {
    const int white = makecol(255, 255, 255);
    // Types the character set doesn't have: the game would refuse the map.
    const int warning = makecol(255, 150, 0);
    for (int i = 0; i < units.count; ++i) {
        edUnit& unit = units.units[i];
        unit.draw(viewX, viewY);
        FONT* f = i == currentUnit ? global.messageFont : global.textFont;
        const int x = unit.getPosX() - viewX, y = unit.getPosY() - viewY;
        // A dark shadow keeps the number readable on the sprite and on light tiles.
        textprintf_ex(global.buffer, f, x + 1, y + 1, makecol(0, 0, 0), -1, "%i", unit.type);
        textprintf_ex(global.buffer, f, x, y, typeBeyondSet(unit.type, set) ? warning : white, -1, "%i", unit.type);
    }
}

void mapEditor::drawOverview() {
    BITMAP* overview = map.getMapPreview(OVERVIEW_W, OVERVIEW_H);
    const int s = map.getSmallSize();
    BITMAP* buffer = global.buffer;
    const int left = (buffer->w - overview->w) / 2, top = (buffer->h - overview->h) / 2;
    blit(overview, buffer, 0, 0, left, top, overview->w, overview->h);
    rect(buffer, left - 1, top - 1, left + overview->w, top + overview->h, makecol(0, 0, 0));
    int x = column * s + s / 2, y = row * s + s / 2;
    if (mode == UNIT_MODE) {
        const edUnit& unit = units.units[currentUnit];
        x = unit.getPosX() / TILESIZE * s;
        y = unit.getPosY() / TILESIZE * s;
    }
    circlefill(buffer, left + x, top + y, s, makecol(0, 0, 255));
}
