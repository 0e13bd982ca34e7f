// The server's lifetime and its loop.
#include "net/server_game.h"

#include <algorithm>

#include "app/globals.h"
#include "net/client_game.h"
#include "net/transport.h"
#include "ui/message.h"

serverMultiplayerGame::~serverMultiplayerGame() {
    client.reset();
    players.reset();
    if (listenConn) net_closeconn(listenConn);
}

void serverMultiplayerGame::operator()() {
    escWindow = 0;
    drawDelay = 4;
    keepAliveCountdown = 16;
    slowWarnCountdown = 5;
    std::fill(std::begin(silentTicks), std::end(silentTicks), 0);
    pacing how;
    how.maxSteps = std::max(1, static_cast<int>(global.maxFrameSkip));
    maxSteps = how.maxSteps;
    runPaced(*this, how);
}

int serverMultiplayerGame::listenPort() const { return net_getlocalport(listenConn); }

int serverMultiplayerGame::occupiedSlots() const {
    int n = 0;
    for (int slot = 0; slot < maxPlayers; ++slot)
        if (players[slot].isActive()) ++n;
    return n;
}
