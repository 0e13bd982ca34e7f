// One frame of a running mission: the map around the player, units,
// bullets, the player and the heads-up display.
#include <allegro.h>

#include <cmath>

#include "app/constants.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "game/mission_variables.h"
#include "game/single_player_game.h"
#include "world/sprite_draw.h"

namespace {

constexpr int BAR_MARGIN = 8;
constexpr int BAR_PIXELS_PER_PERCENT = 2;
constexpr int BAR_FRAME_WIDTH = 200;
constexpr int ARROW_MARGIN = 3;
constexpr int CROSSHAIR_CENTRE = 6;

// The left part of a bar for a percentage, right-aligned to the screen's
// edge, and its frame of 100 percent.
void drawBar(BITMAP* target, BITMAP* bar, int percentage, int y) {
    const int W = target->w;
    const int filled = BAR_PIXELS_PER_PERCENT * percentage;
    if (filled > 0) blit(bar, target, 0, 0, W - BAR_MARGIN - filled, y, filled, bar->h);
    rect(target, W - BAR_MARGIN - BAR_FRAME_WIDTH, y, W - BAR_MARGIN, y + bar->h, 0);
}

}  // namespace

void singlePlayerGame::draw() {
    renderFrame();
    show(false, nullptr);
}

void singlePlayerGame::renderFrame() {
    BITMAP* buffer = global.buffer;
    clear_bitmap(buffer);
    viewX = player.getPosX();
    viewY = player.getPosY();
    map.draw(viewX, viewY);
    for (auto& unit : units) unit->draw(viewX, viewY);
    bullets->draw(viewX, viewY);
    player.draw(viewX, viewY);
    drawHud();
}

void singlePlayerGame::drawHud() {
    BITMAP* buffer = global.buffer;
    const int W = buffer->w;
    const int H = buffer->h;
    const int menuHeight = text_height(global.menuFont);
    const int weapon = player.getCurWeapon();
    BITMAP* icon = weaponIcons[weapon >= 0 && weapon < WEAPON_ICONS ? weapon : 0];
    textprintf_centre_ex(buffer, global.menuFont, icon->w / 2 + 5, 3, 0, -1, "%i", player.getAmmoleft());
    draw_sprite(buffer, icon, 5, menuHeight + 6);
    messages->draw(menuHeight + icon->h + 10, false);

    drawBar(buffer, lifeBar, player.getLifePercentage(), BAR_MARGIN);
    if (player.getMaxarmor() != 0) drawBar(buffer, armorBar, player.getArmorPercentage(), lifeBar->h + 16);
    drawArrow();

    if (endPicture) {
        draw_sprite(buffer, endPicture, (W - endPicture->w) / 2, (H - endPicture->h) / 2);
    } else {
        const pointerInput pointer = player.pointer();
        draw_sprite(buffer, global.crosshair, pointer.x - CROSSHAIR_CENTRE, pointer.y - CROSSHAIR_CENTRE);
    }
}

// The arrow towards the active objective with its number. A mission without
// objectives has nothing to point at, so it shows no arrow.
void singlePlayerGame::drawArrow() {
    if (objectiveCount == 0) return;
    BITMAP* buffer = global.buffer;
    int active = machine.variables[MV_ACTIVEOBJECTIVE];
    // Scripts may write any number; the arrow shows an objective that exists.
    if (active < 1) active = 1;
    if (active > objectiveCount) active = objectiveCount;
    const objectiveTile& target = objectives[active - 1];
    const double dx = target.column * TILESIZE - player.getPosX();
    const double dy = target.row * TILESIZE - player.getPosY();
    // Allegro's angle (a full turn is 256, clockwise on screen, 0 along +x),
    // worked out in double: fixatan2 takes at most 32767 pixels a side.
    const int angle = static_cast<int>(std::lround(std::atan2(dy, dx) * 128 / PI)) & 255;
    const int W = buffer->w;
    const int H = buffer->h;
    const int centreX = W - arrow->w / 2 - ARROW_MARGIN;
    const int centreY = H - arrow->h / 2 - ARROW_MARGIN;
    drawRotatedSprite(buffer, arrow, centreX - arrow->w / 2, centreY - arrow->h / 2, angle, false);
    const int textHeight = text_height(global.textFont);
    textprintf_centre_ex(buffer, global.textFont, W - (text_length(global.textFont, "0") + arrow->w) / 2 - ARROW_MARGIN,
                         H - (textHeight + arrow->h) / 2 - ARROW_MARGIN, makecol(255, 255, 255), -1, "%i", active);
}
