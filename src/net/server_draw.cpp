// The server's frame: its log (dedicated) or the local client's view, the
// table of players while the review key is held, and the Esc hint.
#include <allegro.h>

#include "app/globals.h"
#include "app/helpers.h"
#include "net/client_game.h"
#include "net/mp_display.h"
#include "net/server_game.h"
#include "net/transport.h"
#include "ui/message.h"

void serverMultiplayerGame::draw() {
    stepsThisPass = 0;
    if (headless || drawDelay > 0) return;
    render();
    if (global.vsync) vsync();
    show(false, nullptr);
}

void serverMultiplayerGame::render() {
    clear_bitmap(global.buffer);
    if (dedicated)
        messages->draw(0, true);
    else
        client->exeGraphic();
    if (keyHeld(SLOT_DESCRIPTION)) drawPlayerTable();
    if (escWindow > 0) centredNotice("Press esc again to quit.", 20);
}

void serverMultiplayerGame::drawPlayerTable() {
    BITMAP* buffer = global.buffer;
    const int n = occupiedSlots();
    const int white = makecol(255, 255, 255);
    rectfill(buffer, 60, 60, 740, 100 + 20 * n, makecol(0, 0, 0));
    const std::string title =
        "Korvalt Server, " + std::to_string(n) + " of " + std::to_string(maxPlayers) + " players";
    centredNotice(title.c_str(), 60);
    const int own = client ? client->myId : -1;
    int row = 0;
    for (int slot = 0; slot < maxPlayers; ++slot) {
        mpUnit& p = players[slot];
        if (!p.isActive()) continue;
        const char* peer = net_getpeer(p.getConnection());
        const std::string line =
            p.name + " (" + (peer ? peer : "") + ") - " + std::to_string(p.points) + " points";
        FONT* f = slot == own ? global.messageFont : global.textFont;
        textout_centre_ex(buffer, f, line.c_str(), buffer->w / 2, 90 + 19 * row, white, -1);
        ++row;
    }
}
