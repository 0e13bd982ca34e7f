// The client's view: a white page with the log until WELCOME, then the map
// around the own player, every player, the weapon icon, the log, the life
// and armour bars, and the table of players while its key is held.
#include <allegro.h>

#include "app/globals.h"
#include "net/client_game.h"
#include "net/mp_display.h"
#include "net/transport.h"
#include "ui/message.h"
#include "world/sprite_draw.h"

namespace {

constexpr int WALK_MIRROR_PHASE = 8;  // above it the walking sprite is mirrored
constexpr int BAR_MARGIN = 8;

// A bar of p percent (0 to 100) growing from the right edge at y, framed.
void drawBar(BITMAP* bar, int percent, int y) {
    BITMAP* buffer = global.buffer;
    const int w = 2 * percent;
    blit(bar, buffer, 0, 0, buffer->w - w - BAR_MARGIN, y, w, bar->h);
    rect(buffer, buffer->w - 200 - BAR_MARGIN, y, buffer->w - BAR_MARGIN, y + bar->h, makecol(0, 0, 0));
}

}  // namespace

void mpcUnit::draw(int viewX, int viewY, int) {
    if (!active || !sprites) return;
    BITMAP* sprite = sprites[clampState(state)];
    const int x = getPosX() - viewX - sprite->w / 2;
    const int y = getPosY() - viewY - sprite->h / 2;
    if (phase > WALK_MIRROR_PHASE)
        drawRotatedSprite(global.buffer, sprite, x, y, direction + 128, true);
    else
        drawRotatedSprite(global.buffer, sprite, x, y, direction, false);
}

void clientMultiplayerGame::exeGraphic() {
    BITMAP* buffer = global.buffer;
    if (!connected || myId < 0) {
        clear_to_color(buffer, makecol(255, 255, 255));
        messages->draw(30, true);
        return;
    }
    int left = players[myId].getPosX();
    int top = players[myId].getPosY();
    if (mapLoaded) map.draw(left, top);
    for (int slot = 0; slot < maxPlayers; ++slot) players[slot].draw(left, top, slot);
    BITMAP* icon = weaponIcons[weapon];
    const int menuHeight = text_height(global.menuFont);
    draw_sprite(buffer, icon, 5, menuHeight + 6);
    messages->draw(menuHeight + icon->h + 10, keyHeld(SLOT_OLD_MESSAGES));
    drawBar(lifeBar, getLifePercentage(), BAR_MARGIN);
    drawBar(armorBar, getArmorPercentage(), lifeBar->h + 2 * BAR_MARGIN);
}

void clientMultiplayerGame::showStatistics() {
    if (myId < 0 || !keyHeld(SLOT_DESCRIPTION)) return;
    BITMAP* buffer = global.buffer;
    int n = 0;
    for (int slot = 0; slot < maxPlayers; ++slot)
        if (players[slot].isActive()) ++n;
    rectfill(buffer, 60, 60, 740, 100 + 20 * n, makecol(0, 0, 0));
    const char* peer = net_getpeer(conn);
    const std::string title = "Connected to " + std::string(peer ? peer : "") + ", " + std::to_string(n) + " of " +
                              std::to_string(maxPlayers) + " players";
    centredNotice(title.c_str(), 60);
    int row = 0;
    for (int slot = 0; slot < maxPlayers; ++slot) {
        const mpcUnit& p = players[slot];
        if (!p.isActive()) continue;
        const std::string line = p.getName() + " - " + std::to_string(p.getPoints()) + " points";
        FONT* f = slot == myId ? global.messageFont : global.textFont;
        textout_centre_ex(buffer, f, line.c_str(), buffer->w / 2, 90 + 19 * row, makecol(255, 255, 255), -1);
        ++row;
    }
}
